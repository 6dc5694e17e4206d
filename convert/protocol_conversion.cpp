#include "convert/protocol_conversion.h"

#include <cstdint>
#include <string>

#include "convert/copy.h"
#include "convert/date_reading.h"
#include "convert/field_after_label.h"
#include "convert/page_text.h"
#include "convert/split_at_heading.h"
#include "convert/w1252_literal.h"
#include "nfe/conversion_error.h"
#include "text/ascii_case.h"
#include "text/windows1252.h"

namespace convert {
namespace {

// A cell runs from the start of the text up to and including its first separator; a text
// without a separator has none.
std::string FirstCell(std::string_view text) {
    const std::size_t separator = text.find(kLineSeparator);
    return separator == std::string_view::npos
               ? std::string()
               : std::string(text.substr(0, separator + kLineSeparator.size()));
}

// The cell's content: the cell without its separator.
std::string_view CellContent(std::string_view cell) {
    return Copy(cell, 1, std::int64_t(cell.size()) - std::int64_t(kLineSeparator.size()));
}

// Removes every occurrence of pattern, left to right, comparing with ASCII folding.
void RemoveAllIgnoringCase(std::string& text, std::string_view pattern) {
    std::string kept;
    std::size_t from = 0;
    for (std::size_t found;
         (found = text::FindIgnoringCase(text, pattern, from)) != std::string::npos;
         from = found + pattern.size()) {
        kept.append(text, from, found - from);
    }
    if (from == 0) {
        return;
    }
    kept.append(text, from);
    text = std::move(kept);
}

}  // namespace

void ReadProtocol(std::string_view section, nfe::TProcNFe& protocol) {
    std::string cells;
    std::string before;
    SplitAtHeading("Data / Hora AN", section, cells, before);
    if (before.empty()) {
        SplitAtHeading("Recebimento no Amb. Nacional", section, cells, before);
    }

    // The heading's cell and the one after it carry no values. Each cell taken is removed
    // wherever it occurs, so that a repeated cell cannot be taken twice.
    for (int i = 0; i < 2; ++i) {
        RemoveAllIgnoringCase(cells, FirstCell(cells));
    }
    std::string cell = FirstCell(cells);
    protocol.nProt = text::Windows1252ToUtf8(CellContent(cell));
    RemoveAllIgnoringCase(cells, cell);

    std::string received(CellContent(FirstCell(cells)));
    RemoveAllIgnoringCase(received, " às"_w1252);
    try {
        protocol.dhRecbto = DateTimeOrFail(received);
    } catch (const nfe::ConversionError&) {
        protocol.dhRecbto = DateTimeOrDefault(FieldAfterLabel(section, "Data/Hora"));
    }

    if (protocol.nProt.empty()) {
        protocol.nProt = text::Windows1252ToUtf8(FieldAfterLabel(section, "Protocolo"));
    }
}

}  // namespace convert
