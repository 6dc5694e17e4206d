#include "dfe/ciencia_event.h"

#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "dfe/xml_signature.h"
#include "nfe/access_key.h"
#include "nfe/utc_offset.h"

namespace dfe {
namespace {

// The national environment's events are written in Brasília's time, which has had no summer
// time since 2019: always three hours behind UTC.
constexpr int kBrasiliaOffsetSeconds = -3 * 3600;
constexpr const char* kBrasiliaOffset = "-03:00";
// 1899-12-30, day 0 of the date-times the invoice's code counts in, is 25569 days before 1970.
constexpr double kDaysBefore1970 = 25569.0;

}  // namespace

std::string CienciaEventId(std::string_view key) {
    return "ID" + std::string(kCienciaEventType) + std::string(key) +
           nfe::PadZeros(kCienciaSequence, 2);
}

std::string EventMomentText(Time moment) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count() +
        kBrasiliaOffsetSeconds;
    const nfe::TDateTime local = kDaysBefore1970 + static_cast<double>(seconds) / 86400.0;
    return nfe::DateTimeText(local) + kBrasiliaOffset;
}

std::string CienciaFileName(std::string_view key) {
    return std::string(key) + "-" + std::string(kCienciaEventType) + "-" +
           nfe::PadZeros(kCienciaSequence, 2) + "-procEventoNFe.xml";
}

std::string SignedCienciaEvent(const CienciaEvent& event, const CompanyCertificate& certificate) {
    xmlNode* root = xmlNewNode(nullptr, XmlChars("evento"));
    XmlDocument document = XmlDocument::WithRoot(root);
    xmlSetNs(root, xmlNewNs(root, XmlChars(kNamespaceNFe), nullptr));
    xmlNewProp(root, XmlChars("versao"), XmlChars("1.00"));

    xmlNode* information = xmlNewChild(root, nullptr, XmlChars("infEvento"), nullptr);
    const std::string id = CienciaEventId(event.key);
    xmlNewProp(information, XmlChars("Id"), XmlChars(id));
    AddTextElement(information, nullptr, "cOrgao", "91");
    AddTextElement(information, nullptr, "tpAmb",
                   std::to_string(static_cast<int>(event.environment)));
    AddTextElement(information, nullptr, event.author.ElementName(), event.author.number);
    AddTextElement(information, nullptr, "chNFe", event.key);
    AddTextElement(information, nullptr, "dhEvento", EventMomentText(event.moment));
    AddTextElement(information, nullptr, "tpEvento", kCienciaEventType);
    AddTextElement(information, nullptr, "nSeqEvento", std::to_string(kCienciaSequence));
    AddTextElement(information, nullptr, "verEvento", "1.00");
    xmlNode* detail = xmlNewChild(information, nullptr, XmlChars("detEvento"), nullptr);
    xmlNewProp(detail, XmlChars("versao"), XmlChars("1.00"));
    AddTextElement(detail, nullptr, "descEvento", "Ciencia da Operacao");

    SignEnveloped(information, certificate);
    return ElementText(root);
}

}  // namespace dfe
