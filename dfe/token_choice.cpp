#include "dfe/token_choice.h"

#include "dfe/error.h"
#include "dfe/local_time.h"
#include "dfe/pkcs11_uri.h"
#include "dfe/token_certificate.h"

namespace dfe {

namespace {

std::string ChoiceText(const TokenCertificate& certificate) {
    const std::string token = certificate.tokenLabel + ": ";
    try {
        const CertificateInfo info = InfoOf(certificate);
        std::string text = token + info.holder;
        if (info.party) {
            text += " — " + std::string(info.party->ElementName()) + " " + info.party->Formatted();
        }
        return text + " — válido até " + LocalDateText(info.validUntil);
    } catch (const CertificateError& error) {
        return token + certificate.object + " (" + error.what() + ")";
    }
}

}  // namespace

std::vector<TokenChoice> TokenChoices(const std::filesystem::path& module) {
    std::vector<TokenChoice> choices;
    for (TokenCertificate& certificate : TokenCertificates(module)) {
        std::string uri = certificate.Uri().Text();
        std::string text = ChoiceText(certificate);
        choices.push_back({std::move(certificate), std::move(uri), std::move(text)});
    }
    return choices;
}

std::optional<std::size_t> ChoiceNamed(const std::vector<TokenChoice>& choices,
                                       const std::string& uri) {
    try {
        const Pkcs11Uri wanted = ParsePkcs11Uri(uri);
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (MatchesUri(choices[i].certificate, wanted)) {
                return i;
            }
        }
    } catch (const CertificateError&) {
    }
    return std::nullopt;
}

}  // namespace dfe
