#include "tools/dfe/document_files.h"

#include "dfe/distribution_request.h"
#include "files/atomic_file.h"

namespace tools {

std::filesystem::path WriteReceivedDocument(const std::filesystem::path& folder,
                                            const dfe::ReceivedDocument& document) {
    const std::filesystem::path path = folder / document.FileName();
    files::WriteFileAtomically(path, document.xml);
    return path;
}

std::filesystem::path WritePendingDocZip(const std::filesystem::path& folder,
                                         const dfe::DocZip& zip) {
    const std::filesystem::path path = folder / ("NSU-" + dfe::NsuText(zip.nsu) + ".docZip.txt");
    files::WriteFileAtomically(path, zip.content);
    return path;
}

}  // namespace tools
