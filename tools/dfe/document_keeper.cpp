#include "tools/dfe/document_keeper.h"

#include <chrono>

#include "files/atomic_file.h"

namespace tools {

std::filesystem::path CompanyFolder(const std::filesystem::path& folder, const std::string& company,
                                    const std::string& key) {
    if (key.size() != 44) {
        return folder / company / "outros";
    }
    // AAMM in the key's third to sixth places; keys are checked before they reach here.
    return folder / company / ("20" + key.substr(2, 2) + "-" + key.substr(4, 2));
}

std::filesystem::path KeepDocument(DocumentKeeper* keeper, const std::filesystem::path& folder,
                                   const dfe::ReceivedDocument& document) {
    if (keeper != nullptr) {
        return keeper->Keep(document);
    }
    const std::filesystem::path path = folder / document.FileName();
    files::WriteFileAtomically(path, document.xml);
    return path;
}

DocumentKeeper::DocumentKeeper(std::filesystem::path folder, bool byCompany, std::string company,
                               std::unique_ptr<catalog::Catalog> catalog, const dfe::Clock& clock)
    : folder_(std::move(folder)),
      byCompany_(byCompany),
      company_(std::move(company)),
      catalog_(std::move(catalog)),
      clock_(clock) {}

std::filesystem::path DocumentKeeper::FolderFor(const std::string& key) const {
    if (!byCompany_) {
        return folder_;
    }
    const std::filesystem::path folder = CompanyFolder(folder_, company_, key);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

void DocumentKeeper::Record(const std::filesystem::path& file, const std::string& xml,
                            std::optional<std::uint64_t> nsu) {
    catalog::DocumentFacts facts;
    try {
        facts = catalog::ReadDocumentFacts(xml);
    } catch (const catalog::NotAnNFeDocument&) {
        facts.kind = catalog::DocumentKind::other;
    }
    const auto now =
        std::chrono::duration_cast<std::chrono::seconds>(clock_.Now().time_since_epoch());
    catalog_->Record(
        facts, {company_,
                nsu ? std::optional<std::int64_t>(static_cast<std::int64_t>(*nsu)) : std::nullopt,
                std::filesystem::absolute(file).lexically_normal(), now.count()});
}

std::filesystem::path DocumentKeeper::Keep(const dfe::ReceivedDocument& document) {
    const std::filesystem::path path = FolderFor(document.key) / document.FileName();
    files::WriteFileAtomically(path, document.xml);
    Record(path, document.xml, document.nsu != 0 ? std::optional(document.nsu) : std::nullopt);
    return path;
}

std::filesystem::path DocumentKeeper::KeepMade(const std::string& key, const std::string& name,
                                               const std::string& xml) {
    const std::filesystem::path path = FolderFor(key) / name;
    files::WriteFileAtomically(path, xml);
    Record(path, xml, std::nullopt);
    return path;
}

}  // namespace tools
