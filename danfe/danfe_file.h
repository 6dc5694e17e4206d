#pragma once

#include <filesystem>

namespace danfe {

// Reads the invoice in xmlFile and writes its DANFE as KEY.pdf into folder (made when
// missing; a file of the same name is replaced in one step). The invoice counts as cancelled
// when cancelled says so or when its cancellation event lies beside xmlFile. Returns the
// path written; throws Error, with the reason, for a file that is not an authorised NF-e
// or a PDF that cannot be written.
std::filesystem::path WriteDanfeFile(const std::filesystem::path& xmlFile,
                                     const std::filesystem::path& folder, bool cancelled = false);

}  // namespace danfe
