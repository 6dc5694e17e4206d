#pragma once

#include <string_view>

#include "convert/convert_page_text.h"
#include "nfe/model/nfe_document.h"

namespace convert {

// Fills a new document from the captured page lines (Windows-1252, CR LF between lines),
// section by section: header, parties and protocol, items, totals, transport, billing and
// notes. Throws like ConvertPageText; writes nothing.
nfe::TNFe ReadPageDocument(std::string_view pageLines, const ConversionSettings& settings);

}  // namespace convert
