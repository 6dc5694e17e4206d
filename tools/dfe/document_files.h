#pragma once

#include <filesystem>

#include "dfe/received_document.h"

namespace tools {

// Writes the document, byte for byte as it was unpacked, into folder under its own name, in
// one step: no partial file is ever left. Returns the file's path; throws files::FileError.
std::filesystem::path WriteReceivedDocument(const std::filesystem::path& folder,
                                            const dfe::ReceivedDocument& document);

}  // namespace tools
