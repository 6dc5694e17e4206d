#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"
#include "text/windows1252.h"
#include "tools/convert_command.h"

namespace tools {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

// A page-line file as a user saves it: UTF-8 with LF line ends.
std::string PageFile(std::string_view key, std::string_view version = "3.10",
                     std::string_view issuer = "12.345.678/0001-95") {
    return "Chave de acesso " + std::string(key) + "\nVersão " + std::string(version) +
           "\nDados da NF-e\nData de Emissão 02/03/2015 10:15:00\nEMITENTE\n"
           "CNPJ " +
           std::string(issuer) +
           "\nUF SP\nDestinatário\nDados do Emitente\n"
           "Município 3550308 - SAO PAULO\nUF SP\nDados do Destinatário\n";
}

constexpr std::string_view kKey = "35150312345678000195550010000012341000012340";
constexpr std::string_view kOtherKey = "35150312345678000195550010000043211000012341";

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

CommandResult RunWith(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunConvertCommand(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(RunConvertCommand, ConvertsEveryPageAndPrintsTheWrittenPaths) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "a.txt", PageFile(kKey));
    test_support::WriteFile(folder / "b.txt", PageFile(kOtherKey));
    const fs::path out = folder / "out";

    const CommandResult run =
        RunWith({"-o", out.string(), (folder / "a.txt").string(), (folder / "b.txt").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, (out / (std::string(kKey) + "-nfe.xml")).string() + "\n" +
                           (out / (std::string(kOtherKey) + "-nfe.xml")).string() + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::is_regular_file(out / (std::string(kKey) + "-nfe.xml")));
}

TEST(RunConvertCommand, SaysWhenAPageOfANewerLayoutIsWrittenIn310) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "nova.txt", PageFile(kKey, "4.00"));
    const CommandResult run =
        RunWith({"-o", folder.path().string(), (folder / "nova.txt").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, (folder / "nova.txt").string() +
                           ": Nota na versão 4.00: XML gerado no leiaute 3.10.\n");
    EXPECT_THAT(test_support::ReadFile(folder / (std::string(kKey) + "-nfe.xml")),
                HasSubstr("<infNFe versao=\"3.10\""));
}

TEST(RunConvertCommand, AFailedPageIsReportedAndTheOthersGoOn) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "old.txt", PageFile(kKey, "1.10"));
    test_support::WriteFile(folder / "good.txt", PageFile(kKey));
    const fs::path missing = folder / "missing.txt";

    const CommandResult run = RunWith({"-o", folder.path().string(), (folder / "old.txt").string(),
                                       missing.string(), (folder / "good.txt").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, (folder / (std::string(kKey) + "-nfe.xml")).string() + "\n");
    EXPECT_THAT(run.err, HasSubstr("old.txt: Erro ao importar a NF-e. Nota emitida em uma "
                                   "versão antiga. XML versão 1.10\n"));
    EXPECT_THAT(run.err, HasSubstr("missing.txt: Erro ao importar a NF-e. Não foi possível "
                                   "ler o arquivo"));
    EXPECT_THAT(run.err, Not(HasSubstr("[1/")));
}

TEST(RunConvertCommand, ShowsProgressForLargeBatches) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "a.txt", PageFile(kKey));
    std::vector<std::string> arguments = {"-o", folder.path().string()};
    for (int i = 0; i < 11; ++i) {
        arguments.push_back((folder / "a.txt").string());
    }
    const CommandResult run = RunWith(arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.err, HasSubstr("[1/11] "));
    EXPECT_THAT(run.err, HasSubstr("[11/11] "));
    EXPECT_THAT(run.err, HasSubstr("11 de 11 páginas convertidas"));
}

// The same page as the browser saves it: Windows-1252 as its meta element declares, a script
// at the top, one paragraph for each line.
std::string SavedPage(std::string_view key, std::string_view issuer = "12.345.678/0001-95") {
    std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=windows-1252\"><title>NF-e</title></head>\n<body>\n<script>function "
        "imprimir() { window.print(); }</script>\n";
    const std::string file = PageFile(key, "3.10", issuer);
    std::string_view lines = file;
    for (std::size_t end; (end = lines.find('\n')) != std::string_view::npos;
         lines.remove_prefix(end + 1)) {
        page += "<p>" + std::string(lines.substr(0, end)) + "</p>\n";
    }
    return text::Utf8ToWindows1252(page + "</body></html>\n");
}

TEST(RunConvertCommand, ASavedPageIsCapturedBeforeItIsConverted) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "page.txt", PageFile(kKey));
    test_support::WriteFile(folder / "page.HTM", SavedPage(kKey));
    test_support::WriteFile(folder / "frames.html",
                            "<html><frameset><frame src=\"a.html\"></frameset></html>");
    const std::string file = std::string(kKey) + "-nfe.xml";

    EXPECT_EQ(
        RunWith({"-o", (folder / "from-lines").string(), (folder / "page.txt").string()}).status,
        0);
    const CommandResult run =
        RunWith({"-o", (folder / "from-page").string(), (folder / "page.HTM").string(),
                 (folder / "frames.html").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, (folder / "from-page" / file).string() + "\n");
    EXPECT_THAT(run.err, HasSubstr("frames.html: Erro ao importar a NF-e. A página"));
    EXPECT_EQ(test_support::ReadFile(folder / "from-page" / file),
              test_support::ReadFile(folder / "from-lines" / file));
}

// A company whose CNPJ holds letters issued it: the file is named after the key as the page
// shows it, and the CNPJ keeps its letters.
TEST(RunConvertCommand, ACnpjWithLettersKeepsThemInTheFileAndItsName) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(
        folder / "nota.html",
        SavedPage("3526 0912 ABC3 4501 DE35 5500 1000 0012 3411 2345 6788", "12.ABC.345/01DE-35"));
    const CommandResult run =
        RunWith({"-o", folder.path().string(), (folder / "nota.html").string()});
    const fs::path written = folder / "35260912ABC34501DE35550010000012341123456788-nfe.xml";
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, written.string() + "\n");
    const std::string xml = test_support::ReadFile(written);
    EXPECT_THAT(xml, HasSubstr("Id=\"NFe35260912ABC34501DE35550010000012341123456788\""));
    EXPECT_THAT(xml, HasSubstr("<emit><CNPJ>12ABC34501DE35</CNPJ>"));
}

TEST(RunConvertCommand, LinesShowsWhatTheConversionReadsAndConvertsNothing) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "page.html", SavedPage(kKey));
    test_support::WriteFile(folder / "other.txt", PageFile(kOtherKey));
    const std::string page = (folder / "page.html").string();
    const std::string other = (folder / "other.txt").string();

    const CommandResult one = RunWith({"--lines", "-o", folder.path().string(), page});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, PageFile(kKey));
    EXPECT_EQ(one.err, "");
    EXPECT_FALSE(fs::exists(folder / (std::string(kKey) + "-nfe.xml")));

    const std::string missing = (folder / "missing.html").string();
    const CommandResult several = RunWith({"--lines", page, missing, other});
    EXPECT_EQ(several.status, 1);
    EXPECT_EQ(several.out, "==> " + page + " <==\n" + PageFile(kKey) + "==> " + other + " <==\n" +
                               PageFile(kOtherKey));
    EXPECT_THAT(several.err, HasSubstr("missing.html: Não foi possível ler o arquivo"));
}

TEST(RunConvertCommand, ExplainsItselfAndRejectsBadCommandLines) {
    const CommandResult help = RunWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("Uso: vellora-convert [--lines] [-o PASTA] PÁGINA..."));
    EXPECT_EQ(help.err, "");

    const CommandResult usage = RunWith({"-x"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_THAT(usage.err, HasSubstr("opção desconhecida: -x"));
    EXPECT_THAT(usage.err, HasSubstr("--help"));
}

}  // namespace
}  // namespace tools
