#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace test_support {

// Whether actual equals the golden XML file byte for byte, and the golden file is well-formed
// XML (xmllint). After an intended change of the output, run the test once with
// VELLORA_UPDATE_GOLDEN=1 to rewrite the golden files, and review their difference.
::testing::AssertionResult MatchesGoldenXml(const std::string& actual,
                                            const std::filesystem::path& golden);

}  // namespace test_support
