#include "inbox/catalog_location.h"

#include "dfe/data_folder.h"

namespace inbox {

std::filesystem::path CatalogLocation(const char* catalogVariable, const char* xdgDataHome,
                                      const char* home) {
    if (catalogVariable != nullptr && *catalogVariable != '\0') {
        return catalogVariable;
    }
    return dfe::UserDataFolder(xdgDataHome, home) / "vellora.sqlite";
}

}  // namespace inbox
