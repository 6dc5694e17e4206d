#include "dfe/received_document.h"

#include <algorithm>

#include "dfe/distribution_request.h"
#include "dfe/doc_zip.h"
#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "nfe/access_key.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace dfe {
namespace {

struct KindOfSchema {
    std::string_view schemaName;  // the schema's name before "_v"
    DocumentKind kind;
    std::string_view root;  // the document's root element
};

constexpr KindOfSchema kKinds[] = {
    {"resNFe", DocumentKind::invoiceSummary, "resNFe"},
    {"procNFe", DocumentKind::invoice, "nfeProc"},
    {"resEvento", DocumentKind::eventSummary, "resEvento"},
    {"procEventoNFe", DocumentKind::event, "procEventoNFe"},
};

const KindOfSchema* KindOf(std::string_view schema) {
    const std::string_view name = schema.substr(0, schema.find("_v"));
    const auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                    [&](const KindOfSchema& k) { return k.schemaName == name; });
    return found == std::end(kKinds) ? nullptr : found;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), text::IsDigit);
}

std::string Text(const xmlNode* parent, std::string_view name) {
    if (parent == nullptr) {
        return {};
    }
    return std::string(text::Trim(ChildText(parent, kNamespaceNFe, name).value_or(std::string())));
}

// The element that holds chNFe, tpEvento and nSeqEvento in each kind of document.
const xmlNode* KeyHolder(const xmlNode* root, DocumentKind kind) {
    switch (kind) {
        case DocumentKind::invoice: {
            const xmlNode* protocol = ChildElement(root, kNamespaceNFe, "protNFe");
            return protocol == nullptr ? nullptr : ChildElement(protocol, kNamespaceNFe, "infProt");
        }
        case DocumentKind::event: {
            const xmlNode* event = ChildElement(root, kNamespaceNFe, "evento");
            return event == nullptr ? nullptr : ChildElement(event, kNamespaceNFe, "infEvento");
        }
        default:
            return root;
    }
}

}  // namespace

std::string ReceivedDocument::FileName() const {
    switch (kind) {
        case DocumentKind::invoiceSummary:
            return key + "-resNFe.xml";
        case DocumentKind::invoice:
            return key + "-procNFe.xml";
        case DocumentKind::eventSummary:
        case DocumentKind::event:
            return key + "-" + eventType + "-" + nfe::PadZeros(sequence, 2) +
                   (kind == DocumentKind::event ? "-procEventoNFe.xml" : "-resEvento.xml");
        case DocumentKind::other:
            break;
    }
    return "NSU-" + NsuText(nsu) + ".xml";
}

ReceivedDocument ReadReceivedDocument(const DocZip& zip) {
    std::string schema = zip.schema.substr(0, 40);
    std::erase_if(schema, [](char c) {
        return !text::IsDigit(c) && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z') &&
               c != '_' && c != '.';
    });
    const std::string where = "O documento NSU " + NsuText(zip.nsu) + " (" + schema + ")";
    ReceivedDocument document;
    document.nsu = zip.nsu;
    document.schema = zip.schema;
    try {
        document.xml = UnpackDocZip(zip.content);
    } catch (const AnswerError& error) {
        throw AnswerError(where + " não pôde ser aberto: " + error.what() + ".");
    }

    const KindOfSchema* kind = KindOf(zip.schema);
    const XmlDocument parsed = XmlDocument::Parse(document.xml, where);
    if (kind == nullptr) {
        return document;
    }
    document.kind = kind->kind;
    const xmlNode* root = parsed.Root();
    if (!IsElement(root, kNamespaceNFe, kind->root)) {
        throw AnswerError(where + " não é um " + std::string(kind->root) +
                          ", como o seu schema diz.");
    }

    const xmlNode* holder = KeyHolder(root, document.kind);
    document.key = Text(holder, "chNFe");
    if (!nfe::IsWrittenAccessKey(document.key)) {
        throw AnswerError(where + " não traz uma chave de acesso válida.");
    }
    if (document.kind == DocumentKind::invoice || document.kind == DocumentKind::invoiceSummary) {
        return document;
    }
    document.eventType = Text(holder, "tpEvento");
    const std::string sequence = Text(holder, "nSeqEvento");
    if (document.eventType.size() != 6 || !AllDigits(document.eventType) || sequence.size() > 2 ||
        !AllDigits(sequence) || std::stoi(sequence) == 0) {
        throw AnswerError(where + " não traz um tipo de evento e uma sequência válidos.");
    }
    document.sequence = std::stoi(sequence);
    return document;
}

}  // namespace dfe
