#include "dfe/distribution_answer.h"

#include <algorithm>

#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "text/integer.h"
#include "text/trim.h"

namespace dfe {
namespace {

constexpr std::string_view kWhat = "A resposta do serviço";
constexpr std::uint64_t kLargestNsu = 999'999'999'999'999;

// A count of at most 20 digits, surrounding blanks allowed.
std::optional<std::uint64_t> Number(std::string_view text) {
    return text::ParseInteger<std::uint64_t>(text::Trim(text));
}

std::uint64_t RequiredNsu(std::string_view text, std::string_view field) {
    const std::optional<std::uint64_t> value = Number(text);
    if (!value || *value > kLargestNsu) {
        throw AnswerError(std::string(kWhat) + " traz um " + std::string(field) +
                          " que não é um número de até 15 dígitos: \"" +
                          std::string(text.substr(0, 40)) + "\".");
    }
    return *value;
}

std::optional<std::uint64_t> OptionalNsu(const xmlNode* answer, std::string_view field) {
    const std::optional<std::string> text = ChildText(answer, kNamespaceNFe, field);
    if (!text) {
        return std::nullopt;
    }
    return RequiredNsu(*text, field);
}

[[noreturn]] void ThrowFault(const xmlNode* fault) {
    std::string reason;
    if (const xmlNode* text = FindElement(fault, kNamespaceSoap12, "Text")) {
        reason = TextOf(text);
    }
    reason = std::string(text::Trim(reason));
    throw AnswerError("O serviço respondeu com uma falha SOAP" +
                      (reason.empty() ? std::string(".") : ": " + reason.substr(0, 500)));
}

// retDistDFeInt at its place in the SOAP body, under the operation's response and result
// elements; a copy anywhere else (a SOAP header) is not the answer.
const xmlNode* AnswerInBody(const xmlNode* envelope) {
    if (!IsElement(envelope, kNamespaceSoap12, "Envelope")) {
        return nullptr;
    }
    const xmlNode* node = envelope;
    for (const auto& [ns, name] : {std::pair<const char*, const char*>{kNamespaceSoap12, "Body"},
                                   {kNamespaceDistributionWsdl, "nfeDistDFeInteresseResponse"},
                                   {kNamespaceDistributionWsdl, "nfeDistDFeInteresseResult"},
                                   {kNamespaceNFe, "retDistDFeInt"}}) {
        node = ChildElement(node, ns, name);
        if (node == nullptr) {
            return nullptr;
        }
    }
    return node;
}

}  // namespace

DistributionAnswer ParseDistributionAnswer(std::string_view soap) {
    const XmlDocument document = XmlDocument::Parse(soap, kWhat);
    const xmlNode* answer = AnswerInBody(document.Root());
    if (answer == nullptr) {
        if (const xmlNode* fault = FindElement(document.Root(), kNamespaceSoap12, "Fault")) {
            ThrowFault(fault);
        }
        throw AnswerError(std::string(kWhat) +
                          " não traz o retorno da distribuição (retDistDFeInt).");
    }

    DistributionAnswer parsed;
    const std::optional<std::string> status = ChildText(answer, kNamespaceNFe, "cStat");
    const std::optional<std::uint64_t> code = status ? Number(*status) : std::nullopt;
    if (!code || *code < 100 || *code > 999) {
        throw AnswerError(std::string(kWhat) + " não traz um código de situação (cStat) válido.");
    }
    parsed.cStat = static_cast<int>(*code);
    parsed.xMotivo = std::string(
        text::Trim(ChildText(answer, kNamespaceNFe, "xMotivo").value_or(std::string())));
    parsed.dhResp = ChildText(answer, kNamespaceNFe, "dhResp").value_or(std::string());
    parsed.lastNsu = OptionalNsu(answer, "ultNSU");
    parsed.maxNsu = OptionalNsu(answer, "maxNSU");

    if (const xmlNode* batch = ChildElement(answer, kNamespaceNFe, "loteDistDFeInt")) {
        for (const xmlNode* zip : ChildElements(batch, kNamespaceNFe, "docZip")) {
            DocZip document;
            document.nsu = RequiredNsu(AttributeOf(zip, "NSU").value_or(std::string()), "NSU");
            document.schema = AttributeOf(zip, "schema").value_or(std::string());
            document.content = TextOf(zip);
            parsed.documents.push_back(std::move(document));
        }
    }
    return parsed;
}

}  // namespace dfe
