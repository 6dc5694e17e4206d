#include "tools/dfe/document_files.h"

#include "files/atomic_file.h"

namespace tools {

std::filesystem::path WriteReceivedDocument(const std::filesystem::path& folder,
                                            const dfe::ReceivedDocument& document) {
    const std::filesystem::path path = folder / document.FileName();
    files::WriteFileAtomically(path, document.xml);
    return path;
}

}  // namespace tools
