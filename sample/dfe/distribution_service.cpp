#include "sample/dfe/distribution_service.h"

#include <algorithm>
#include <ctime>
#include <stdexcept>

#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "nfe/access_key.h"
#include "nfe/xml_escape.h"
#include "sample/dfe/doc_zip_packing.h"
#include "sample/dfe/soap_request.h"
#include "text/integer.h"

namespace sample {
namespace {

using dfe::kNamespaceNFe;

constexpr int kFound = 138;
constexpr int kNothing = 137;

std::string_view Reason(int cStat) {
    switch (cStat) {
        case kFound:
            return "Documento(s) localizado(s)";
        case kNothing:
            return "Nenhum documento localizado";
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
        case 589:
            return "Rejeição: Número do NSU informado superior ao maior NSU da base de dados do "
                   "Ambiente Nacional";
        case 593:
            return "Rejeição: CNPJ-Base consultado difere do CNPJ-Base do Certificado Digital";
        case 640:
            return "Rejeição: CNPJ/CPF do interessado não possui permissão para consultar esta "
                   "NF-e";
        case 656:
            return "Rejeição: Consumo Indevido. Deve ser aguardado 1 hora para efetuar nova "
                   "solicitação.";
        default:
            return "Rejeição";
    }
}

std::string ResponseTime() {
    const std::time_t now = std::time(nullptr) - 3 * 3600;
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S-03:00", &parts);
    return text;
}

std::optional<std::uint64_t> Number(const std::optional<std::string>& text) {
    if (!text || text->size() > 15) {
        return std::nullopt;
    }
    return text::ParseInteger<std::uint64_t>(*text);
}

std::string HtmlErrorPage() {
    return "<!DOCTYPE html>\n<html><head><title>Service Unavailable</title></head>\n<body><h1>"
           "Service Unavailable</h1><p>HTTP Error 503. The service is unavailable.</p></body>"
           "</html>\n";
}

}  // namespace

// The fields of a distDFeInt request.
struct DistributionService::Parsed {
    int status = 0;  // a refusal found while reading, or 0
    int environment = 0;
    std::string party;
    enum class Kind { distNsu, consNsu, consChNFe } kind = Kind::distNsu;
    std::uint64_t nsu = 0;
    std::string key;
    std::string summary;
};

DistributionService::DistributionService(std::vector<DistributedInvoice> invoices,
                                         ServiceSettings settings)
    : invoices_(std::move(invoices)), facts_(invoices_.size()), settings_(settings) {}

std::size_t DistributionService::RequestCount() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

ServiceReply DistributionService::Answer(std::string_view requestBody,
                                         const std::optional<dfe::Party>& client) {
    const std::lock_guard lock(mutex_);
    ++requests_;
    ServiceReply reply;
    if (settings_.fault == DistributionFault::htmlError) {
        reply.status = 503;
        reply.contentType = "text/html; charset=utf-8";
        reply.body = HtmlErrorPage();
        reply.summary = "html-error";
        return reply;
    }

    const SoapRequest soap = ReadSoapRequest(requestBody, "distDFeInt");
    if (soap.fault) {
        return *soap.fault;
    }
    const xmlNode* request = soap.message;

    Parsed parsed;
    const auto text = [](const xmlNode* parent, std::string_view name) {
        return parent == nullptr ? std::nullopt : dfe::ChildText(parent, kNamespaceNFe, name);
    };
    parsed.environment = static_cast<int>(Number(text(request, "tpAmb")).value_or(0));
    parsed.party = text(request, "CNPJ").value_or(text(request, "CPF").value_or(""));
    const xmlNode* dist = dfe::ChildElement(request, kNamespaceNFe, "distNSU");
    const xmlNode* cons = dfe::ChildElement(request, kNamespaceNFe, "consNSU");
    const xmlNode* byKey = dfe::ChildElement(request, kNamespaceNFe, "consChNFe");
    std::optional<std::uint64_t> nsu;
    if (dist != nullptr) {
        nsu = Number(text(dist, "ultNSU"));
        parsed.summary = "distNSU " + text(dist, "ultNSU").value_or("?");
    } else if (cons != nullptr) {
        parsed.kind = Parsed::Kind::consNsu;
        nsu = Number(text(cons, "NSU"));
        parsed.summary = "consNSU " + text(cons, "NSU").value_or("?");
    } else if (byKey != nullptr) {
        parsed.kind = Parsed::Kind::consChNFe;
        parsed.key = text(byKey, "chNFe").value_or("");
        nsu = 0;
        parsed.summary = "consChNFe " + parsed.key;
    }
    parsed.summary = parsed.party + " " + parsed.summary;
    parsed.nsu = nsu.value_or(0);

    if (dfe::AttributeOf(request, "versao") != "1.01") {
        parsed.status = 239;
    } else if ((parsed.environment != 1 && parsed.environment != 2) || !nsu ||
               !dfe::PartyFromNumber(parsed.party)) {
        parsed.status = 215;
    } else if (parsed.environment != static_cast<int>(settings_.environment)) {
        parsed.status = 252;
    } else if (settings_.fault == DistributionFault::wrongCnpj || !client ||
               client->Base() != dfe::PartyFromNumber(parsed.party)->Base()) {
        parsed.status = 593;
    } else if (settings_.fault == DistributionFault::excessiveUse &&
               ++requestsByBase_[client->Base()] > settings_.burst) {
        parsed.status = 656;
    } else if (settings_.fault == DistributionFault::nothingFound) {
        parsed.status = kNothing;
    }

    reply = Reply(parsed);
    reply.summary = parsed.summary + " -> " + reply.summary;
    if (settings_.fault == DistributionFault::slow) {
        reply.delay = settings_.slowDelay;
    }
    return reply;
}

ServiceReply DistributionService::Reply(const Parsed& request) {
    ServiceReply reply;
    const auto answer = [&](int cStat, std::uint64_t lastNsu, std::uint64_t maxNsu,
                            const std::vector<const Stored*>& documents) {
        reply.body = Envelope(cStat, lastNsu, maxNsu, documents);
        reply.summary =
            std::to_string(cStat) + " (" + std::to_string(documents.size()) + " documentos)";
        return reply;
    };
    if (request.status != 0) {
        return answer(request.status, 0, 0, {});
    }

    std::vector<Stored>& sequence = SequenceOf(request.party);
    const std::uint64_t maxNsu = sequence.empty() ? 0 : sequence.back().nsu;
    std::vector<const Stored*> documents;
    switch (request.kind) {
        case Parsed::Kind::distNsu: {
            if (request.nsu > maxNsu) {
                return answer(589, request.nsu, maxNsu, {});
            }
            for (const Stored& stored : sequence) {
                if (stored.nsu > request.nsu && documents.size() < settings_.batchSize) {
                    documents.push_back(&stored);
                }
            }
            if (documents.empty()) {
                return answer(kNothing, maxNsu, maxNsu, {});
            }
            return answer(kFound, documents.back()->nsu, maxNsu, documents);
        }
        case Parsed::Kind::consNsu: {
            for (const Stored& stored : sequence) {
                if (stored.nsu == request.nsu) {
                    documents.push_back(&stored);
                }
            }
            return answer(documents.empty() ? kNothing : kFound, request.nsu, maxNsu, documents);
        }
        case Parsed::Kind::consChNFe:
            break;
    }

    if (!nfe::IsWrittenAccessKey(request.key)) {
        return answer(236, 0, 0, {});
    }
    const auto invoice =
        std::find_if(invoices_.begin(), invoices_.end(),
                     [&](const DistributedInvoice& i) { return i.key == request.key; });
    if (invoice == invoices_.end()) {
        return answer(217, 0, 0, {});
    }
    const std::size_t index = static_cast<std::size_t>(invoice - invoices_.begin());
    const std::vector<std::string>& parties = FactsOf(index).parties;
    if (std::find(parties.begin(), parties.end(), request.party) == parties.end()) {
        return answer(640, 0, 0, {});
    }
    // The documents as the party's sequence holds them now, under their NSUs.
    std::vector<Stored> current;
    for (Document& document : DocumentsOf(index, request.party)) {
        const auto stored = std::find_if(sequence.rbegin(), sequence.rend(), [&](const Stored& s) {
            return s.key == request.key && s.schema == document.schema;
        });
        current.push_back({stored == sequence.rend() ? 0 : stored->nsu, document.schema,
                           request.key, std::move(document.xml)});
    }
    for (const Stored& stored : current) {
        documents.push_back(&stored);
    }
    return answer(kFound, 0, 0, documents);
}

const InvoiceFacts& DistributionService::FactsOf(std::size_t index) {
    if (!facts_[index]) {
        facts_[index] = ReadInvoiceFacts(invoices_[index].xml());
    }
    return *facts_[index];
}

std::vector<DistributionService::Document> DistributionService::DocumentsOf(
    std::size_t index, const std::string& party) {
    const DistributedInvoice& invoice = invoices_[index];
    const InvoiceFacts& facts = FactsOf(index);
    const bool full = party != facts.recipient || invoice.cienciaRegistered;
    std::vector<Document> documents;
    if (full) {
        documents.push_back({"procNFe_v" + invoice.layout + ".xsd", invoice.xml()});
    } else {
        documents.push_back({"resNFe_v1.01.xsd", InvoiceSummary(facts, invoice.cancelled)});
    }
    if (invoice.cancelled) {
        documents.push_back(full
                                ? Document{"procEventoNFe_v1.00.xsd", CancellationEvent(facts)}
                                : Document{"resEvento_v1.01.xsd", CancellationEventSummary(facts)});
    }
    return documents;
}

std::vector<DistributionService::Stored>& DistributionService::SequenceOf(
    const std::string& party) {
    const auto [found, added] = sequences_.try_emplace(party);
    if (added) {
        for (std::size_t i = 0; i < invoices_.size(); ++i) {
            const std::vector<std::string>& parties = FactsOf(i).parties;
            if (std::find(parties.begin(), parties.end(), party) == parties.end()) {
                continue;
            }
            for (Document& document : DocumentsOf(i, party)) {
                found->second.push_back({found->second.size() + 1, std::move(document.schema),
                                         invoices_[i].key, std::move(document.xml)});
            }
        }
    }
    return found->second;
}

std::optional<DistributionService::Standing> DistributionService::StandingOf(std::string_view key) {
    const std::lock_guard lock(mutex_);
    const auto invoice = std::find_if(invoices_.begin(), invoices_.end(),
                                      [&](const DistributedInvoice& i) { return i.key == key; });
    if (invoice == invoices_.end()) {
        return std::nullopt;
    }
    const std::size_t index = static_cast<std::size_t>(invoice - invoices_.begin());
    return Standing{FactsOf(index).recipient, invoice->cancelled, invoice->cienciaRegistered};
}

void DistributionService::RegisterCiencia(std::string_view key) {
    const std::lock_guard lock(mutex_);
    const auto invoice = std::find_if(invoices_.begin(), invoices_.end(),
                                      [&](const DistributedInvoice& i) { return i.key == key; });
    if (invoice == invoices_.end()) {
        throw std::invalid_argument("the sample service holds no invoice " + std::string(key));
    }
    if (invoice->cienciaRegistered) {
        return;
    }
    invoice->cienciaRegistered = true;
    const std::size_t index = static_cast<std::size_t>(invoice - invoices_.begin());
    const std::string& recipient = FactsOf(index).recipient;
    if (const auto sequence = sequences_.find(recipient); sequence != sequences_.end()) {
        for (Document& document : DocumentsOf(index, recipient)) {
            sequence->second.push_back({sequence->second.size() + 1, std::move(document.schema),
                                        invoice->key, std::move(document.xml)});
        }
    }
}

std::string DistributionService::Envelope(int cStat, std::uint64_t lastNsu, std::uint64_t maxNsu,
                                          const std::vector<const Stored*>& documents) const {
    std::string body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
        "xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>"
        "<nfeDistDFeInteresseResponse "
        "xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeDistribuicaoDFe\">"
        "<nfeDistDFeInteresseResult><retDistDFeInt versao=\"1.01\" "
        "xmlns=\"http://www.portalfiscal.inf.br/nfe\"><tpAmb>" +
        std::to_string(static_cast<int>(settings_.environment)) +
        "</tpAmb><verAplic>VELLORA-EXEMPLO</verAplic><cStat>" + std::to_string(cStat) +
        "</cStat><xMotivo>" + nfe::EscapeXmlText(Reason(cStat)) + "</xMotivo><dhResp>" +
        ResponseTime() + "</dhResp><ultNSU>" + dfe::NsuText(lastNsu) + "</ultNSU><maxNSU>" +
        dfe::NsuText(maxNsu) + "</maxNSU>";
    if (!documents.empty()) {
        body += "<loteDistDFeInt>";
        for (const Stored* document : documents) {
            const std::string packed = settings_.fault == DistributionFault::brokenGzip
                                           ? PackBrokenDocZip(document->xml)
                                           : PackDocZip(document->xml);
            body += "<docZip NSU=\"" + dfe::NsuText(document->nsu) + "\" schema=\"" +
                    document->schema + "\">" + packed + "</docZip>";
        }
        body += "</loteDistDFeInt>";
    }
    return body +
           "</retDistDFeInt></nfeDistDFeInteresseResult></nfeDistDFeInteresseResponse>"
           "</soap:Body></soap:Envelope>";
}

}  // namespace sample
