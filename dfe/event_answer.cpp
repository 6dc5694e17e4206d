#include "dfe/event_answer.h"

#include <algorithm>
#include <iterator>

#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "text/integer.h"
#include "text/trim.h"

namespace dfe {
namespace {

constexpr std::string_view kWhat = "A resposta do serviço de eventos";

// The refusals of a Ciência that no later attempt changes.
constexpr int kFinalCienciaRefusals[] = {
    596,  // sent after the period in which the recipient may register it
    640,  // the event's author is not the invoice's recipient
    650,  // the invoice was cancelled or denied
    655,  // the recipient's final manifestation was registered before
};

std::string Text(const xmlNode* parent, std::string_view name) {
    if (parent == nullptr) {
        return {};
    }
    return std::string(text::Trim(ChildText(parent, kNamespaceNFe, name).value_or(std::string())));
}

// A status code of three digits, or 0.
int Status(const std::string& text) {
    const std::optional<int> code = text::ParseInteger<int>(text);
    return text.size() == 3 && code && *code >= 100 ? *code : 0;
}

// retEnvEvento at its place in the SOAP body, under the operation's result element; a copy
// anywhere else (a SOAP header) is not the answer.
const xmlNode* BatchAnswer(const xmlNode* envelope) {
    if (!IsElement(envelope, kNamespaceSoap12, "Envelope")) {
        return nullptr;
    }
    const xmlNode* body = ChildElement(envelope, kNamespaceSoap12, "Body");
    if (body == nullptr) {
        return nullptr;
    }
    for (const char* result : {"nfeRecepcaoEventoNFResult", "nfeResultMsg"}) {
        if (const xmlNode* holder = ChildElement(body, kNamespaceEventWsdl, result)) {
            return ChildElement(holder, kNamespaceNFe, "retEnvEvento");
        }
    }
    return nullptr;
}

}  // namespace

bool IsFinalCienciaRefusal(int cStat) {
    return std::find(std::begin(kFinalCienciaRefusals), std::end(kFinalCienciaRefusals), cStat) !=
           std::end(kFinalCienciaRefusals);
}

EventBatchAnswer ParseEventAnswer(std::string_view soap) {
    const XmlDocument document = XmlDocument::Parse(soap, kWhat);
    const xmlNode* batch = BatchAnswer(document.Root());
    if (batch == nullptr) {
        if (const xmlNode* fault = FindElement(document.Root(), kNamespaceSoap12, "Fault")) {
            const xmlNode* reason = FindElement(fault, kNamespaceSoap12, "Text");
            const std::string text(text::Trim(reason != nullptr ? TextOf(reason) : ""));
            throw AnswerError("O serviço de eventos respondeu com uma falha SOAP" +
                              (text.empty() ? std::string(".") : ": " + text.substr(0, 500)));
        }
        throw AnswerError(std::string(kWhat) + " não traz o retorno do lote (retEnvEvento).");
    }

    EventBatchAnswer answer;
    answer.cStat = Status(Text(batch, "cStat"));
    if (answer.cStat == 0) {
        throw AnswerError(std::string(kWhat) + " não traz um código de situação (cStat) válido.");
    }
    answer.xMotivo = Text(batch, "xMotivo");
    for (const xmlNode* event : ChildElements(batch, kNamespaceNFe, "retEvento")) {
        const xmlNode* information = ChildElement(event, kNamespaceNFe, "infEvento");
        EventResult result;
        result.cStat = Status(Text(information, "cStat"));
        if (result.cStat == 0) {
            throw AnswerError(std::string(kWhat) +
                              " traz um evento sem código de situação (cStat) válido.");
        }
        result.xMotivo = Text(information, "xMotivo");
        result.key = Text(information, "chNFe");
        result.eventType = Text(information, "tpEvento");
        result.protocol = Text(information, "nProt");
        result.registeredAt = Text(information, "dhRegEvento");
        result.xml = ElementText(event);
        answer.events.push_back(std::move(result));
    }
    return answer;
}

std::string ProcessedEvent(std::string_view signedEvent, std::string_view retEvento) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><procEventoNFe xmlns=\"" +
           std::string(kNamespaceNFe) + "\" versao=\"1.00\">" + std::string(signedEvent) +
           std::string(retEvento) + "</procEventoNFe>";
}

}  // namespace dfe
