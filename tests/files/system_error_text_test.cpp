#include "files/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>

namespace files {
namespace {

TEST(SystemErrorText, TheCommonReasonsInPortugueseTheRestByNumber) {
    const struct {
        int error;
        const char* text;
    } cases[] = {
        {ENOENT, "arquivo ou pasta inexistente"},
        {EACCES, "permissão negada"},
        {ENOSPC, "não há espaço livre no disco"},
        {EISDIR, "é uma pasta, não um arquivo"},
        {ENOTDIR, "uma parte do caminho não é uma pasta"},
        {EROFS, "o sistema de arquivos é somente leitura"},
        {ENOLCK, "o sistema de arquivos não oferece travas"},
        {EHOSTDOWN, "erro do sistema nº 112"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemErrorText(c.error), c.text);
        EXPECT_EQ(SystemErrorText(std::error_code(c.error, std::generic_category())), c.text);
    }
}

TEST(SystemErrorText, AFileSystemErrorOfTheLibraryIsTranslatedToo) {
    std::error_code error;
    EXPECT_EQ(std::filesystem::file_size("/nenhuma/pasta/assim", error),
              static_cast<std::uintmax_t>(-1));
    EXPECT_EQ(SystemErrorText(error), "arquivo ou pasta inexistente");
    try {
        std::filesystem::create_directories("/proc/nenhuma/pasta");
        ADD_FAILURE();
    } catch (const std::exception& thrown) {
        EXPECT_EQ(ExceptionText(thrown), "arquivo ou pasta inexistente (\"/proc/nenhuma/pasta\")");
    }
    EXPECT_EQ(ExceptionText(std::runtime_error("Outra coisa.")), "Outra coisa.");
}

}  // namespace
}  // namespace files
