#include "dfe/manifestation_event.h"

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

// "KEY-210200-01"
std::string FileStem(Manifestation manifestation, std::string_view key) {
    return std::string(key) + "-" + std::string(FactsOf(manifestation).eventType) + "-" +
           nfe::PadZeros(kManifestationSequence, 2);
}

}  // namespace

std::string ManifestationEventId(Manifestation manifestation, std::string_view key) {
    return "ID" + std::string(FactsOf(manifestation).eventType) + std::string(key) +
           nfe::PadZeros(kManifestationSequence, 2);
}

std::string EventMomentText(Time moment) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count() +
        kBrasiliaOffsetSeconds;
    const nfe::TDateTime local = kDaysBefore1970 + static_cast<double>(seconds) / 86400.0;
    return nfe::DateTimeText(local) + kBrasiliaOffset;
}

std::string ManifestationFileName(Manifestation manifestation, std::string_view key) {
    return FileStem(manifestation, key) + "-procEventoNFe.xml";
}

std::string UnansweredEventFileName(Manifestation manifestation, std::string_view key) {
    return FileStem(manifestation, key) + "-evento.xml";
}

std::string SignedManifestationEvent(const ManifestationEvent& event,
                                     const A1Certificate& certificate) {
    const ManifestationFacts& facts = FactsOf(event.manifestation);
    xmlNode* root = xmlNewNode(nullptr, XmlChars("evento"));
    XmlDocument document = XmlDocument::WithRoot(root);
    xmlSetNs(root, xmlNewNs(root, XmlChars(kNamespaceNFe), nullptr));
    xmlNewProp(root, XmlChars("versao"), XmlChars("1.00"));

    xmlNode* information = xmlNewChild(root, nullptr, XmlChars("infEvento"), nullptr);
    const std::string id = ManifestationEventId(event.manifestation, event.key);
    xmlNewProp(information, XmlChars("Id"), XmlChars(id));
    AddTextElement(information, nullptr, "cOrgao", "91");
    AddTextElement(information, nullptr, "tpAmb",
                   std::to_string(static_cast<int>(event.environment)));
    AddTextElement(information, nullptr, event.author.ElementName(), event.author.number);
    AddTextElement(information, nullptr, "chNFe", event.key);
    AddTextElement(information, nullptr, "dhEvento", EventMomentText(event.moment));
    AddTextElement(information, nullptr, "tpEvento", facts.eventType);
    AddTextElement(information, nullptr, "nSeqEvento", std::to_string(kManifestationSequence));
    AddTextElement(information, nullptr, "verEvento", "1.00");
    xmlNode* detail = xmlNewChild(information, nullptr, XmlChars("detEvento"), nullptr);
    xmlNewProp(detail, XmlChars("versao"), XmlChars("1.00"));
    AddTextElement(detail, nullptr, "descEvento", facts.description);
    if (facts.needsJustification) {
        AddTextElement(detail, nullptr, "xJust", event.justification);
    }

    SignEnveloped(information, certificate);
    return ElementText(root);
}

}  // namespace dfe
