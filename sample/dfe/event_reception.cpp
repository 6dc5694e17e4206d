#include "sample/dfe/event_reception.h"

#include <algorithm>
#include <ctime>

#include "dfe/ciencia_event.h"
#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "dfe/xml_signature.h"
#include "nfe/access_key.h"
#include "nfe/xml_escape.h"
#include "sample/dfe/soap_request.h"
#include "text/character_filters.h"

namespace sample {
namespace {

using dfe::kNamespaceNFe;

constexpr int kProcessed = 128;
constexpr int kRegistered = 135;

std::string_view Reason(int cStat) {
    switch (cStat) {
        case kProcessed:
            return "Lote de evento processado";
        case kRegistered:
            return "Evento registrado e vinculado a NF-e";
        case 213:
            return "Rejeição: CNPJ-Base do Autor difere do CNPJ-Base do Certificado Digital";
        case 215:
            return "Rejeição: Falha no schema XML";
        case 217:
            return "Rejeição: NF-e não consta na base de dados da SEFAZ";
        case 236:
            return "Rejeição: Chave de Acesso inválida";
        case 239:
            return "Rejeição: Versão do arquivo XML não suportada";
        case 252:
            return "Rejeição: Ambiente informado diverge do Ambiente de recebimento";
        case 297:
            return "Rejeição: Assinatura difere do calculado";
        case 573:
            return "Rejeição: Duplicidade de evento";
        case 640:
            return "Rejeição: CNPJ/CPF do autor do evento não é o destinatário da NF-e";
        case 650:
            return "Rejeição: Evento de \"Ciência da Operação\" para NF-e Cancelada ou Denegada";
        case 656:
            return "Rejeição: Consumo Indevido";
        default:
            return "Rejeição";
    }
}

std::string RegistrationTime() {
    const std::time_t now = std::time(nullptr) - 3 * 3600;
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S-03:00", &parts);
    return text;
}

bool AllDigits(std::string_view text, std::size_t minimum, std::size_t maximum) {
    return text.size() >= minimum && text.size() <= maximum &&
           std::all_of(text.begin(), text.end(), text::IsDigit);
}

// What the schema lets through as a key: 44 digits or capital letters. Whether they form a
// valid key is the service's next question.
bool KeyShaped(std::string_view text) {
    return text.size() == 44 && std::all_of(text.begin(), text.end(), [](char c) {
               return text::IsDigit(c) || nfe::IsCapitalLetter(c);
           });
}

std::string Field(const xmlNode* parent, std::string_view name) {
    return parent == nullptr ? std::string()
                             : dfe::ChildText(parent, kNamespaceNFe, name).value_or(std::string());
}

}  // namespace

EventReception::Verdict EventReception::Judge(const std::string& event,
                                              const std::optional<dfe::Party>& client,
                                              EVP_PKEY* clientKey) {
    // Read on its own, as the service keeps it: the signature covers the event, not the
    // envelope around it.
    const dfe::XmlDocument document = dfe::XmlDocument::Parse(event, "O evento");
    xmlNode* information = dfe::ChildElement(document.Root(), kNamespaceNFe, "infEvento");
    Verdict verdict;
    verdict.key = Field(information, "chNFe");
    const std::string author =
        Field(information, "CNPJ").empty() ? Field(information, "CPF") : Field(information, "CNPJ");
    const xmlNode* detail = dfe::ChildElement(information, kNamespaceNFe, "detEvento");
    const bool wellFormed =
        information != nullptr && dfe::AttributeOf(document.Root(), "versao") == "1.00" &&
        Field(information, "cOrgao") == "91" && KeyShaped(verdict.key) &&
        dfe::PartyFromNumber(author) && !Field(information, "dhEvento").empty() &&
        Field(information, "tpEvento") == dfe::kCienciaEventType &&
        Field(information, "nSeqEvento") == "1" && Field(information, "verEvento") == "1.00" &&
        dfe::AttributeOf(information, "Id") == dfe::CienciaEventId(verdict.key) &&
        Field(detail, "descEvento") == "Ciencia da Operacao";
    if (!wellFormed) {
        verdict.cStat = 215;
        return verdict;
    }
    if (Field(information, "tpAmb") !=
        std::to_string(static_cast<int>(service_.settings().environment))) {
        verdict.cStat = 252;
        return verdict;
    }
    if (clientKey == nullptr || !dfe::VerifyEnveloped(information, clientKey)) {
        verdict.cStat = 297;
        return verdict;
    }
    if (!client || client->Base() != dfe::PartyFromNumber(author)->Base()) {
        verdict.cStat = 213;
        return verdict;
    }
    if (!nfe::IsValidAccessKey(verdict.key)) {
        verdict.cStat = 236;
        return verdict;
    }
    const std::optional<DistributionService::Standing> standing = service_.StandingOf(verdict.key);
    if (!standing) {
        verdict.cStat = 217;
    } else if (standing->recipient != author) {
        verdict.cStat = 640;
    } else if (standing->cancelled) {
        verdict.cStat = 650;
    } else if (standing->cienciaRegistered || registeredLate_.contains(verdict.key)) {
        verdict.cStat = 573;
    } else {
        if (service_.settings().fault == DistributionFault::lateInvoice) {
            registeredLate_.insert(verdict.key);
        } else {
            service_.RegisterCiencia(verdict.key);
        }
        verdict.cStat = kRegistered;
        verdict.protocol = "9" + nfe::PadZeros(static_cast<std::int64_t>(++protocols_), 14);
    }
    return verdict;
}

bool EventReception::ExcessiveUse(const std::string& base) {
    if (service_.settings().fault != DistributionFault::excessiveUse) {
        return false;
    }
    const dfe::Time now = service_.settings().clock != nullptr ? service_.settings().clock->Now()
                                                               : std::chrono::system_clock::now();
    const auto held = heldUntil_.find(base);
    if ((held != heldUntil_.end() && now < held->second) ||
        ++batchesByBase_[base] > service_.settings().burst) {
        heldUntil_[base] = now + std::chrono::hours(1);
        batchesByBase_[base] = 0;
        return true;
    }
    return false;
}

ServiceReply EventReception::Answer(std::string_view requestBody,
                                    const std::optional<dfe::Party>& client, EVP_PKEY* clientKey) {
    const std::lock_guard lock(mutex_);
    ServiceReply reply;
    const SoapRequest soap = ReadSoapRequest(requestBody, "envEvento");
    if (soap.fault) {
        return *soap.fault;
    }
    const xmlNode* batch = soap.message;

    const std::string batchId = Field(batch, "idLote");
    const std::vector<xmlNode*> events = dfe::ChildElements(batch, kNamespaceNFe, "evento");
    int batchStatus = kProcessed;
    if (dfe::AttributeOf(batch, "versao") != "1.00") {
        batchStatus = 239;
    } else if (!AllDigits(batchId, 1, 15) || events.empty() || events.size() > 20) {
        batchStatus = 215;
    } else if (client && ExcessiveUse(client->Base())) {
        batchStatus = 656;
    }

    const std::string environment =
        std::to_string(static_cast<int>(service_.settings().environment));
    std::string results;
    reply.summary = "envEvento " + batchId.substr(0, 15) + " ->";
    for (const xmlNode* event : batchStatus == kProcessed ? events : std::vector<xmlNode*>()) {
        Verdict verdict;
        try {
            verdict = Judge(dfe::ElementText(event), client, clientKey);
        } catch (const dfe::AnswerError&) {
            verdict.cStat = 215;
        }
        results += "<retEvento versao=\"1.00\"><infEvento><tpAmb>" + environment +
                   "</tpAmb><verAplic>VELLORA-EXEMPLO</verAplic><cOrgao>91</cOrgao><cStat>" +
                   std::to_string(verdict.cStat) + "</cStat><xMotivo>" +
                   nfe::EscapeXmlText(Reason(verdict.cStat)) + "</xMotivo>";
        if (KeyShaped(verdict.key)) {
            results += "<chNFe>" + verdict.key + "</chNFe>";
        }
        results +=
            "<tpEvento>210210</tpEvento><xEvento>Ciencia da Operacao</xEvento>"
            "<nSeqEvento>1</nSeqEvento>";
        if (!verdict.protocol.empty()) {
            results += "<dhRegEvento>" + RegistrationTime() + "</dhRegEvento><nProt>" +
                       verdict.protocol + "</nProt>";
        }
        results += "</infEvento></retEvento>";
        reply.summary += " " + verdict.key.substr(0, 44) + " " + std::to_string(verdict.cStat);
    }
    if (batchStatus != kProcessed) {
        reply.summary += " " + std::to_string(batchStatus);
    }
    reply.body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
        "xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>"
        "<nfeRecepcaoEventoNFResult xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
        "NFeRecepcaoEvento4\"><retEnvEvento versao=\"1.00\" "
        "xmlns=\"http://www.portalfiscal.inf.br/nfe\"><idLote>" +
        nfe::EscapeXmlText(batchId.substr(0, 15)) + "</idLote><tpAmb>" + environment +
        "</tpAmb><verAplic>VELLORA-EXEMPLO</verAplic><cOrgao>91</cOrgao><cStat>" +
        std::to_string(batchStatus) + "</cStat><xMotivo>" +
        nfe::EscapeXmlText(Reason(batchStatus)) + "</xMotivo>" + results +
        "</retEnvEvento></nfeRecepcaoEventoNFResult></soap:Body></soap:Envelope>";
    if (service_.settings().fault == DistributionFault::lateEventAnswer) {
        reply.delay = service_.settings().slowDelay;
    }
    return reply;
}

}  // namespace sample
