// Page lines of any kind through the whole conversion into a temporary folder. A page that
// cannot be converted ends with one of the documented errors; anything else is a fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "convert/convert_page_text.h"
#include "files/atomic_file.h"
#include "nfe/conversion_error.h"

namespace {

// One folder for the whole run, removed at exit; each written file is removed at once. A
// memory-backed folder where there is one, as every saved file is synced to its disk.
class OutputFolder {
public:
    OutputFolder() {
        std::error_code error;
        const std::filesystem::path parent = std::filesystem::is_directory("/dev/shm", error)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        std::string pattern = (parent / "vellora-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~OutputFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const OutputFolder folder;
    convert::ConversionSettings settings;
    settings.outputFolder = folder.path().string();

    const std::string_view pageLines(reinterpret_cast<const char*>(data), size);
    try {
        const std::filesystem::path written = convert::ConvertPageText(pageLines, settings);
        if (written.parent_path() != folder.path() || !std::filesystem::remove(written)) {
            std::abort();
        }
    } catch (const convert::OldLayoutAborted&) {
    } catch (const nfe::ConversionError&) {
    } catch (const files::FileError&) {
    }
    return 0;
}
