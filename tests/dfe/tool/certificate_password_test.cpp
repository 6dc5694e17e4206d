#include "tools/dfe/certificate_password.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace tools {
namespace {

using ::testing::HasSubstr;

std::string Password(const std::string& file, const char* variable, const PasswordPrompt& prompt) {
    return std::string(CertificatePassword(file, variable, prompt, "A1.pfx").view());
}

TEST(CertificatePassword, TakesTheFileThenTheVariableThenThePrompt) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "senha.txt", "s3nha com espaço\r\nsegunda linha\n");
    test_support::WriteFile(folder / "vazia.txt", "");
    std::string asked;
    const PasswordPrompt prompt = [&](const std::string& text) {
        asked = text;
        return std::optional<dfe::Secret>(dfe::Secret("digitada"));
    };
    EXPECT_EQ(Password((folder / "senha.txt").string(), "variavel", prompt), "s3nha com espaço");
    EXPECT_EQ(Password((folder / "vazia.txt").string(), "variavel", prompt), "");
    EXPECT_EQ(Password("", "variavel", prompt), "variavel");
    EXPECT_EQ(asked, "");
    EXPECT_EQ(Password("", nullptr, prompt), "digitada");
    asked.clear();
    EXPECT_EQ(Password("", "", prompt), "digitada");
    EXPECT_EQ(asked, "Senha do certificado A1.pfx: ");

    const PasswordPrompt noTerminal = [](const std::string&) { return std::nullopt; };
    try {
        Password("", nullptr, noTerminal);
        ADD_FAILURE() << "a password came from nowhere";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("VELLORA_CERT_PASSWORD"));
    }
    EXPECT_THROW(Password((folder / "none.txt").string(), "variavel", prompt), std::runtime_error);
}

}  // namespace
}  // namespace tools
