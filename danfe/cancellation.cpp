#include "danfe/cancellation.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "dfe/namespaces.h"
#include "dfe/xml_document.h"

namespace danfe {

namespace {

using dfe::kNamespaceNFe;

std::string ChildTextOr(const xmlNode* parent, std::string_view name) {
    return parent != nullptr ? dfe::ChildText(parent, kNamespaceNFe, name).value_or("")
                             : std::string();
}

}  // namespace

bool IsCancellationOf(std::string_view xml, std::string_view key) {
    try {
        const dfe::XmlDocument document = dfe::XmlDocument::Parse(xml, "O evento");
        const xmlNode* root = document.Root();
        if (!dfe::IsElement(root, kNamespaceNFe, "procEventoNFe")) {
            return false;
        }
        const xmlNode* event = dfe::ChildElement(root, kNamespaceNFe, "evento");
        const xmlNode* request =
            event != nullptr ? dfe::ChildElement(event, kNamespaceNFe, "infEvento") : nullptr;
        const xmlNode* answer = dfe::ChildElement(root, kNamespaceNFe, "retEvento");
        const xmlNode* result =
            answer != nullptr ? dfe::ChildElement(answer, kNamespaceNFe, "infEvento") : nullptr;
        const std::string status = ChildTextOr(result, "cStat");
        return ChildTextOr(request, "tpEvento") == "110111" &&
               ChildTextOr(request, "chNFe") == key && ChildTextOr(result, "chNFe") == key &&
               (status == "135" || status == "155");
    } catch (const std::exception&) {
        return false;
    }
}

bool CancellationBeside(const std::filesystem::path& folder, const std::string& key) {
    const std::string prefix = key + "-110111-";
    const std::string suffix = "-procEventoNFe.xml";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(suffix)) {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (in && IsCancellationOf(text.str(), key)) {
            return true;
        }
    }
    return false;
}

}  // namespace danfe
