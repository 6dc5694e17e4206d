#include "convert/additional_information.h"

#include <cstdint>
#include <string>

#include "convert/copy.h"
#include "convert/field_rules.h"
#include "convert/page_text.h"
#include "convert/w1252_literal.h"
#include "text/ascii_case.h"
#include "text/windows1252.h"

namespace convert {
namespace {

// A note starts a fixed number of characters after the start of its heading, where the
// portal's layout puts it, and runs to the end of its line, untrimmed. A note on the block's
// last line has no separator after it and reads as empty.
std::string NoteAfter(std::string_view block, std::size_t heading, std::int64_t offset) {
    const std::size_t start = heading + static_cast<std::size_t>(offset);
    if (start > block.size()) {
        return {};
    }
    const std::size_t end = block.find(kLineSeparator, start);
    if (end == std::string_view::npos) {
        return {};
    }
    return text::Windows1252ToUtf8(block.substr(start, end - start));
}

}  // namespace

void ReadAdditionalInformation(std::string_view block, nfe::TNFe& nfe) {
    nfe.Ide.tpImp =
        CodeField<nfe::TkroTipoImpressao>(block, "Formato de Impressão DANFE "_w1252, 1);

    // Found with ASCII folding, so only a page that writes "ç" and "õ" in lower case matches.
    const std::size_t fisco =
        text::FindIgnoringCase(block, "Informações Adicionais de Interesse do Fisco"_w1252);
    if (fisco != std::string_view::npos) {
        nfe.InfAdic.infAdFisco = NoteAfter(block, fisco, 56);
    }
    const std::size_t taxpayer =
        block.find("Informações Complementares de Interesse do Contribuinte"_w1252);
    if (taxpayer != std::string_view::npos) {
        nfe.InfAdic.infCpl = NoteAfter(block, taxpayer, 71);
    }
}

}  // namespace convert
