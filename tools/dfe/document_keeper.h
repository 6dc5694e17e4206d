#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "catalog/catalog.h"
#include "dfe/clock.h"
#include "dfe/received_document.h"

namespace tools {

// Writes each document that came and records it in the catalogue: the file first (in one
// step), then its row, so that a crash between the two leaves a file that the next import
// records.
class DocumentKeeper {
public:
    // byCompany: PASTA/<company>/<AAAA-MM of issue>/ below folder; otherwise folder itself.
    DocumentKeeper(std::filesystem::path folder, bool byCompany, std::string company,
                   std::unique_ptr<catalog::Catalog> catalog, const dfe::Clock& clock);

    // Returns the file's path; throws files::FileError or catalog::CatalogError.
    std::filesystem::path Keep(const dfe::ReceivedDocument& document);
    // A document that the program made itself (a registered manifestation), named name.
    std::filesystem::path KeepMade(const std::string& key, const std::string& name,
                                   const std::string& xml);
    // Where the key's documents go, created when missing.
    std::filesystem::path FolderFor(const std::string& key) const;

private:
    void Record(const std::filesystem::path& file, const std::string& xml,
                std::optional<std::uint64_t> nsu);

    std::filesystem::path folder_;
    bool byCompany_;
    std::string company_;
    std::unique_ptr<catalog::Catalog> catalog_;
    const dfe::Clock& clock_;
};

// Through the keeper when there is one, otherwise into folder as before.
std::filesystem::path KeepDocument(DocumentKeeper* keeper, const std::filesystem::path& folder,
                                   const dfe::ReceivedDocument& document);

// PASTA/<company>/<AAAA-MM>/ for the key, the month as the key gives it; PASTA/<company>/outros/
// for a document without a key.
std::filesystem::path CompanyFolder(const std::filesystem::path& folder, const std::string& company,
                                    const std::string& key);

}  // namespace tools
