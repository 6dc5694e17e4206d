#include <chrono>
#include <fstream>
#include <ostream>
#include <sstream>

#include "catalog/document_facts.h"
#include "files/system_error_text.h"
#include "tools/dfe/catalog_commands.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"

namespace tools {
namespace {

struct Counts {
    std::size_t recorded[4] = {};
    std::size_t known = 0;
    std::size_t foreign = 0;
};

// The company a file came for, when it lies below a folder named after a CNPJ.
std::string CompanyOf(const std::filesystem::path& file) {
    for (const auto& part : file) {
        if (const auto party = dfe::PartyFromNumber(part.string())) {
            return party->number;
        }
    }
    return "";
}

}  // namespace

int RunImportCommand(const CatalogArguments& arguments, const DfeContext& context) {
    const std::unique_ptr<catalog::Catalog> catalogue = OpenCatalog(arguments.catalogFile, context);
    Counts counts;
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::seconds>(context.clock.Now().time_since_epoch())
            .count();
    bool failed = false;
    for (const std::string& folder : arguments.operands) {
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            context.err << "\"" << folder << "\" não é uma pasta.\n";
            failed = true;
            continue;
        }
        auto entries = std::filesystem::recursive_directory_iterator(
            folder, std::filesystem::directory_options::skip_permission_denied, error);
        for (; !error && entries != std::filesystem::recursive_directory_iterator();
             entries.increment(error)) {
            const std::filesystem::path path = entries->path();
            if (!entries->is_regular_file() || path.extension() != ".xml") {
                continue;
            }
            const std::filesystem::path file = std::filesystem::absolute(path).lexically_normal();
            if (catalogue->IsRecorded(file)) {
                ++counts.known;
                continue;
            }
            std::ifstream in(file, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            catalog::DocumentFacts facts;
            try {
                facts = catalog::ReadDocumentFacts(text.str());
            } catch (const catalog::NotAnNFeDocument&) {
                ++counts.foreign;
                continue;
            }
            const catalog::RecordOutcome outcome =
                catalogue->Record(facts, {CompanyOf(file), std::nullopt, file, now});
            if (outcome == catalog::RecordOutcome::recorded) {
                ++counts.recorded[static_cast<int>(facts.kind)];
            } else {
                ++counts.known;
            }
        }
        if (error) {
            context.err << "A pasta \"" << folder
                        << "\" não pôde ser lida: " << files::SystemErrorText(error) << "\n";
            failed = true;
        }
    }
    using catalog::DocumentKind;
    context.out << "Registrados: " << counts.recorded[static_cast<int>(DocumentKind::invoice)]
                << " NF-e completas, " << counts.recorded[static_cast<int>(DocumentKind::summary)]
                << " resumos, " << counts.recorded[static_cast<int>(DocumentKind::event)]
                << " eventos; já conhecidos: " << counts.known
                << "; não são documentos da NF-e: " << counts.foreign << "\n";
    return failed ? kFailed : kDelivered;
}

}  // namespace tools
