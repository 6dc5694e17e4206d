#include "app/certificate_check.h"

#include "dfe/certificate.h"
#include "dfe/certificate_source.h"
#include "dfe/error.h"
#include "dfe/local_time.h"

namespace app {

CertificateCheck CheckCertificate(const std::string& certificate,
                                  const std::filesystem::path& module, const dfe::Secret& secret,
                                  dfe::Time now) {
    try {
        const auto opened = dfe::OpenCompanyCertificate(certificate, module, secret);
        const auto& party = opened.party();
        opened.CheckValidAt(now);
        const auto& info = opened.info();
        return {true, false,
                info.holder + " — " + std::string(party.ElementName()) + " " + party.Formatted() +
                    " — válido até " + dfe::LocalDateText(info.validUntil)};
    } catch (const dfe::WrongPasswordError& error) {
        return {false, true, std::string("O certificado não pode ser usado: ") + error.what()};
    } catch (const dfe::CertificateError& error) {
        return {false, false, std::string("O certificado não pode ser usado: ") + error.what()};
    }
}

bool OpensCertificate(const std::filesystem::path& file, const dfe::Secret& password) {
    try {
        dfe::CompanyCertificate::ReadFile(file, password);
    } catch (const dfe::WrongPasswordError&) {
        return false;
    } catch (const dfe::Error&) {
    }
    return true;
}

}  // namespace app
