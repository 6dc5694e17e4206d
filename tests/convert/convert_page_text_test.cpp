#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "convert/convert_page_text.h"
#include "convert/invoice_file.h"
#include "nfe/conversion_error.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"
#include "text/windows1252.h"

namespace convert {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr std::string_view kKey = "35150312345678000195550010000012341000012340";

// A small page with what the key needs around it, as page lines: Windows-1252, CR LF.
std::string Page(std::string_view key, std::string_view version = "3.10",
                 std::string_view municipality = "3550308 - SAO PAULO") {
    const std::vector<std::string> lines = {
        "Chave de acesso " + std::string(key),
        "Versão " + std::string(version),
        "Dados da NF-e",
        "Data de Emissão 02/03/2015 10:15:00",
        "EMITENTE",
        "CNPJ 12.345.678/0001-95",
        "UF SP",
        "Destinatário",
        "Dados do Emitente",
        "Município " + std::string(municipality),
        "Dados do Destinatário",
        "Dados dos Produtos e Serviços",
        "Totais",
        "Valor Total da NFe 10,00",
        "Valor Aproximado dos Tributos 1,00",
        "Dados do Transporte",
        "Volumes",
        "Quantidade 1",
        "Informações Adicionais",
        "Fim",
    };
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : "\r\n") + line;
    }
    return text::Utf8ToWindows1252(text);
}

ConversionSettings Into(const fs::path& folder) {
    ConversionSettings settings;
    settings.outputFolder = folder.string();
    return settings;
}

TEST(ConvertPageText, WritesTheKeyNamedFileIntoTheOutputFolderMadeWithItsParents) {
    test_support::TemporaryDirectory temporary;
    const fs::path folder = temporary / "a" / "b";
    int events = 0;
    ConversionSettings settings = Into(folder);
    settings.processPendingEvents = [&] { ++events; };

    const fs::path written = ConvertPageText(Page(kKey), settings);
    EXPECT_EQ(written, folder / (std::string(kKey) + "-nfe.xml"));
    const std::string xml = test_support::ReadFile(written);
    EXPECT_THAT(xml, HasSubstr("Id=\"NFe" + std::string(kKey) + "\""));
    EXPECT_THAT(xml, HasSubstr("<vNF>10.00</vNF>"));
    // Before the recipient, in the items, in the totals, for the volume and after billing.
    EXPECT_EQ(events, 5);

    test_support::WriteFile(written, "older");
    EXPECT_EQ(ConvertPageText(Page(kKey), settings), written);
    EXPECT_EQ(test_support::ReadFile(written), xml);
}

TEST(ConvertPageText, WithoutAnOutputFolderWritesBesideTheExecutable) {
    test_support::TemporaryDirectory temporary;
    ConversionSettings settings;
    settings.outputFolder = " \t";
    settings.executableFolder = temporary.path();
    const fs::path written = ConvertPageText(Page(kKey), settings);
    EXPECT_EQ(written, temporary / "xml" / (std::string(kKey) + "-nfe.xml"));
    EXPECT_TRUE(fs::is_regular_file(written));
}

TEST(OutputFolder, TrimsTheGivenFolderOrFallsBackToTheExecutablesOne) {
    ConversionSettings settings;
    settings.executableFolder = "/opt/vellora";
    const std::pair<std::string, fs::path> cases[] = {
        {"", "/opt/vellora/xml"},
        {"  ", "/opt/vellora/xml"},
        {" /tmp/notas \r\n", "/tmp/notas"},
        {"notas/", "notas/"},
    };
    for (const auto& [given, expected] : cases) {
        settings.outputFolder = given;
        EXPECT_EQ(OutputFolder(settings), expected) << given;
    }
}

TEST(ConvertPageText, AnInvalidKeyGivesWayToTheKeyComposedFromTheHeader) {
    test_support::TemporaryDirectory temporary;
    const std::string wrongDigit = std::string(kKey.substr(0, 43)) + "1";
    const fs::path written = ConvertPageText(Page(wrongDigit), Into(temporary.path()));
    const std::string name = written.filename().string();
    ASSERT_EQ(name.size(), 44 + std::string_view("-nfe.xml").size());
    EXPECT_NE(name.substr(0, 44), wrongDigit);
    EXPECT_EQ(name.substr(0, 34), kKey.substr(0, 34));
}

TEST(ConvertPageText, FailsRatherThanNameAFileWithoutAKey) {
    test_support::TemporaryDirectory temporary;
    const std::string wrongDigit = std::string(kKey.substr(0, 43)) + "1";
    // A negative state code cannot go into a composed key.
    try {
        ConvertPageText(Page(wrongDigit, "3.10", "-1234567"), Into(temporary.path()));
        ADD_FAILURE() << "a file was written";
    } catch (const nfe::ConversionError& error) {
        EXPECT_THAT(error.what(), HasSubstr("chave de acesso"));
    }
    EXPECT_TRUE(fs::is_empty(temporary.path()));
}

TEST(ConvertPageText, StopsOnTheOldLayoutWithItsMessageAndWritesNothing) {
    test_support::TemporaryDirectory temporary;
    ConversionSettings settings = Into(temporary / "out");
    std::vector<std::string> messages;
    settings.showMessage = [&](const std::string& message) { messages.push_back(message); };
    EXPECT_THROW(ConvertPageText(Page(kKey, "1.10"), settings), OldLayoutAborted);
    EXPECT_THAT(messages,
                ::testing::ElementsAre("Nota emitida em uma versão antiga. XML versão 1.10\r\n"
                                       "Não é possivel importa a NFe"));
    EXPECT_FALSE(fs::exists(temporary / "out"));
}

// The writer knows the layouts up to 3.10: a newer page is written whole in 3.10, and says so.
TEST(ConvertPageText, WritesTheLayoutOfThePageOrTheNewestItKnows) {
    struct Case {
        std::string_view version;
        std::string_view written;  // empty: the conversion stops
        std::string_view notice;   // empty: none
    };
    const Case cases[] = {
        {"1.10", "", ""},
        {"2.00", "2.00", ""},
        {"3.10", "3.10", ""},
        {"4.00", "3.10", "Nota na versão 4.00: XML gerado no leiaute 3.10."},
        {"4.01", "3.10", "Nota na versão 4.01: XML gerado no leiaute 3.10."},
        {"quatro", "3.10", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.version));
        test_support::TemporaryDirectory temporary;
        ConversionSettings settings = Into(temporary.path());
        std::vector<std::string> notices;
        settings.showNotice = [&](const std::string& notice) { notices.push_back(notice); };
        if (c.written.empty()) {
            EXPECT_THROW(ConvertPageText(Page(kKey, c.version), settings), OldLayoutAborted);
            EXPECT_TRUE(fs::is_empty(temporary.path()));
            continue;
        }
        const std::string xml =
            test_support::ReadFile(ConvertPageText(Page(kKey, c.version), settings));
        const std::string versao = "versao=\"" + std::string(c.written) + "\"";
        EXPECT_THAT(xml, HasSubstr("<infNFe " + versao));
        EXPECT_THAT(xml, Not(HasSubstr("versao=\"4")));
        // The emission time with its UTC offset and the operation's destination came with 3.10.
        EXPECT_THAT(xml, HasSubstr(c.written == "2.00" ? "<dEmi>2015-03-02</dEmi><tpNF>"
                                                       : "<dhEmi>2015-03-02T10:15:00-03:00</dhEmi>"
                                                         "<tpNF>0</tpNF><idDest>"));
        EXPECT_EQ(notices, c.notice.empty() ? std::vector<std::string>()
                                            : std::vector<std::string>{std::string(c.notice)});
    }
}

TEST(ConvertPageText, AFolderThatCannotBeMadeIsAClearError) {
    test_support::TemporaryDirectory temporary;
    test_support::WriteFile(temporary / "file", "x");
    try {
        ConvertPageText(Page(kKey), Into(temporary / "file" / "sub"));
        ADD_FAILURE() << "no error";
    } catch (const std::exception& error) {
        EXPECT_THAT(error.what(), HasSubstr("file/sub"));
    }
}

TEST(ConvertPageText, AnEmptyPageHasNoKey) {
    test_support::TemporaryDirectory temporary;
    EXPECT_THROW(ConvertPageText("", Into(temporary.path())), nfe::ConversionError);
}

}  // namespace
}  // namespace convert
