#pragma once

#include <filesystem>

#include "dfe/received_document.h"

namespace tools {

// Writes the document, byte for byte as it was unpacked, into folder under its own name, in
// one step: no partial file is ever left. Returns the file's path; throws files::FileError.
std::filesystem::path WriteReceivedDocument(const std::filesystem::path& folder,
                                            const dfe::ReceivedDocument& document);

// Keeps a document that could not be read or written as it came (the Base64 of its gzip), as
// NSU-<15 digits>.docZip.txt in folder, in one step. Returns the file's path; throws
// files::FileError.
std::filesystem::path WritePendingDocZip(const std::filesystem::path& folder,
                                         const dfe::DocZip& zip);

}  // namespace tools
