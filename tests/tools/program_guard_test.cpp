#include "tools/program_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <sstream>
#include <stdexcept>

namespace tools {
namespace {

using ::testing::HasSubstr;

// Standard output on a full disk or a closed pipe: every write fails.
class FailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(RunGuarded, EveryEscapingExceptionEndsInAMessageAndStatusOne) {
    const struct {
        std::function<int()> body;
        std::string message;
    } cases[] = {
        {[]() -> int { throw std::bad_alloc(); }, "vellora-dfe: memória insuficiente"},
        {[]() -> int { throw std::runtime_error("Algo falhou."); }, "vellora-dfe: Algo falhou.\n"},
        {[]() -> int {
             throw std::filesystem::filesystem_error(
                 "x", "/sem/pasta", std::make_error_code(std::errc::read_only_file_system));
         },
         "vellora-dfe: o sistema de arquivos é somente leitura (\"/sem/pasta\")"},
        {[]() -> int { throw 42; }, "vellora-dfe: erro inesperado"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunGuarded("vellora-dfe", out, err, c.body), 1) << c.message;
        EXPECT_THAT(err.str(), HasSubstr(c.message));
    }
    std::ostringstream out, err;
    EXPECT_EQ(RunGuarded("vellora-dfe", out, err, [] { return 3; }), 3);
    EXPECT_EQ(err.str(), "");
}

TEST(RunGuarded, AFailedWriteToStandardOutputIsAFailure) {
    FailingBuffer failing;
    std::ostream out(&failing);
    std::ostringstream err;
    EXPECT_EQ(RunGuarded("vellora-dfe", out, err,
                         [&] {
                             out << "/notas/KEY-procNFe.xml\n";
                             return 0;
                         }),
              1);
    EXPECT_THAT(err.str(), HasSubstr("a saída padrão não pôde ser escrita"));
}

}  // namespace
}  // namespace tools
