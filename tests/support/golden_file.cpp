#include "tests/support/golden_file.h"

#include <cstdlib>

#include "tests/support/file_contents.h"

namespace test_support {

::testing::AssertionResult MatchesGoldenXml(const std::string& actual,
                                            const std::filesystem::path& golden) {
    if (std::getenv("VELLORA_UPDATE_GOLDEN") != nullptr) {
        WriteFile(golden, actual);
    }
    if (actual != ReadFile(golden)) {
        return ::testing::AssertionFailure() << golden.filename() << " differs; the output was:\n"
                                             << actual;
    }
    if (std::system(("xmllint --noout '" + golden.string() + "'").c_str()) != 0) {
        return ::testing::AssertionFailure() << golden.filename() << " is not well-formed XML";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace test_support
