#pragma once

#include <filesystem>

#include "convert/convert_page_text.h"
#include "nfe/model/nfe_document.h"

namespace convert {

// The folder that receives the invoice files: the output folder of the settings, trimmed, or
// the folder "xml" beside the executable when the settings give none.
std::filesystem::path OutputFolder(const ConversionSettings& settings);

// Renders the document as NF-e XML and writes it as "KEY-nfe.xml" into the output folder,
// which is created with its parents when missing; an older file of that name is replaced.
// Returns the file's path. Throws when the rendered document has no 44-digit access key, when
// the folder cannot be created and when the file cannot be written.
std::filesystem::path WriteInvoiceFile(nfe::TNFe& nfe, const ConversionSettings& settings);

}  // namespace convert
