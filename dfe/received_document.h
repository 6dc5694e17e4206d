#pragma once

#include <cstdint>
#include <string>

#include "dfe/distribution_answer.h"

namespace dfe {

enum class DocumentKind {
    invoiceSummary,  // resNFe: the summary a recipient gets until its Ciência da Operação
    invoice,         // procNFe: the signed invoice with its authorisation
    eventSummary,    // resEvento
    event,           // procEventoNFe: an event (cancellation, correction...) with its protocol
    other,           // a schema the route does not know
};

// A document of an answer, unpacked and identified.
struct ReceivedDocument {
    std::uint64_t nsu = 0;
    std::string schema;
    DocumentKind kind = DocumentKind::other;
    std::string key;        // the invoice's 44 digits; empty for other
    std::string eventType;  // tpEvento, 6 digits, for the event kinds
    int sequence = 0;       // nSeqEvento, 1 to 99, for the event kinds
    std::string xml;        // the bytes exactly as unpacked

    // "KEY-procNFe.xml", "KEY-resNFe.xml", "KEY-TPEVENTO-SEQ-procEventoNFe.xml",
    // "KEY-TPEVENTO-SEQ-resEvento.xml", or "NSU-000000000000123.xml" for other. Built only
    // from digits that were checked.
    std::string FileName() const;
};

// Unpacks and identifies a docZip by its schema and its content. Throws AnswerError, whose
// message names the NSU, when it cannot be unpacked, is not XML, or lacks a valid access key
// (or event type and sequence) where its kind has them.
ReceivedDocument ReadReceivedDocument(const DocZip& zip);

}  // namespace dfe
