#include "tools/danfe/danfe_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "sample/dfe/invoice_documents.h"
#include "tests/danfe/danfe_samples.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace tools {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kKey = "35240361024385000111550010000001131171819201";

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun Danfe(const std::vector<std::string>& arguments) {
    danfe_test::EnsureGui();
    std::ostringstream out, err;
    const int status = RunDanfeCommand(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(DanfeCommand, WritesEachInvoiceAndReportsTheFilesItRefuses) {
    const test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "nota.xml", danfe_test::Layout400Xml());
    test_support::WriteFile(folder / "resumo.xml",
                            "<resNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"/>");
    const auto pdfs = folder / "pdf" / "novos";

    const CommandRun run =
        Danfe({"-o", pdfs.string(), (folder / "resumo.xml").string(),
               (folder / "nota.xml").string(), (folder / "faltando.xml").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, (pdfs / (kKey + ".pdf")).string() + "\n");
    EXPECT_THAT(run.err, HasSubstr("resumo.xml: DANFE não gerado. O arquivo não é uma NF-e "
                                   "autorizada: não é um nfeProc"));
    EXPECT_THAT(run.err, HasSubstr("faltando.xml: DANFE não gerado. O arquivo não pôde ser lido."));
    const std::string pdf = test_support::ReadFile(pdfs / (kKey + ".pdf"));
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_THAT(danfe_test::PdfText(pdf), Not(HasSubstr("CANCELADA")));
}

TEST(DanfeCommand, ACancellationBesideTheInvoiceMarksItsDanfe) {
    const test_support::TemporaryDirectory folder;
    const std::string xml = danfe_test::Layout400Xml();
    test_support::WriteFile(folder / "nota.xml", xml);
    test_support::WriteFile(folder / (kKey + "-110111-01-procEventoNFe.xml"),
                            sample::CancellationEvent(sample::ReadInvoiceFacts(xml)));

    const CommandRun run =
        Danfe({"--output=" + folder.path().string(), (folder / "nota.xml").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(danfe_test::PdfText(test_support::ReadFile(folder / (kKey + ".pdf"))),
                HasSubstr("CANCELADA"));
}

TEST(DanfeCommand, AWrongCommandLineExitsWithTwo) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"-o"}, {"--cor", "a.xml"}, {"-o", "", "a.xml"}}) {
        const CommandRun run = Danfe(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_THAT(run.err, HasSubstr("Uso: vellora-danfe [-o PASTA] ARQUIVO.xml..."));
    }
    const CommandRun help = Danfe({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("CHAVE.pdf"));
    EXPECT_TRUE(Danfe({"--version"}).out.starts_with("vellora-danfe "));
}

}  // namespace
}  // namespace tools
