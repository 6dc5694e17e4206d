#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/convert_page_text.h"
#include "convert/header_conversion.h"
#include "convert/protocol_conversion.h"
#include "convert/w1252_literal.h"
#include "nfe/conversion_error.h"
#include "nfe/date_time.h"

namespace convert {
namespace {

using ::testing::HasSubstr;

constexpr std::string_view kKey = "35150312345678000199550010000012341000012346";

nfe::TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return nfe::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

std::string Top(std::string_view key, std::string_view version) {
    return "Chave de acesso " + std::string(key) + "|&|" + std::string("Versão "_w1252) +
           std::string(version) + "|&|";
}

TEST(ReadPageTop, ReadsTheKeyShownInGroupsAndItsNumbers) {
    nfe::TNFe nfe;
    std::vector<std::string> messages;
    ReadPageTop(
        Top("3515 0312 3456 7800 0199 5500 1000 0012 3410 0001 2346", "3.10"), nfe,
        [&](const std::string& m) { messages.push_back(m); }, [](const std::string&) {});
    EXPECT_EQ(nfe.infNFe.ID, kKey);
    EXPECT_EQ(nfe.procNFe.chNFe, kKey);
    EXPECT_EQ(nfe.Ide.nNF, 1234);
    EXPECT_EQ(nfe.Ide.cNF, 1234);  // key digits 36 to 43
    EXPECT_DOUBLE_EQ(nfe.infNFe.Versao(), 3.1);
    EXPECT_TRUE(messages.empty());
}

TEST(ReadPageTop, StopsAtLayout110AfterShowingItsMessage) {
    for (std::string_view version : {"1.10", "1.10 "}) {
        nfe::TNFe nfe;
        std::vector<std::string> messages;
        EXPECT_THROW(
            ReadPageTop(
                Top(kKey, version), nfe, [&](const std::string& m) { messages.push_back(m); },
                [](const std::string&) {}),
            OldLayoutAborted);
        EXPECT_THAT(messages,
                    ::testing::ElementsAre("Nota emitida em uma versão antiga. XML versão 1.10\r\n"
                                           "Não é possivel importa a NFe"));
    }
}

TEST(ReadPageTop, AKeyTooShortForTheNumericCodeEndsTheConversion) {
    nfe::TNFe nfe;
    EXPECT_THROW(ReadPageTop(
                     Top("3515031234567800019955001000001234", "3.10"), nfe,
                     [](const std::string&) {}, [](const std::string&) {}),
                 nfe::ConversionError);
}

TEST(LayoutVersion, ReadsANumberWithADecimalPointOrComma) {
    struct Case {
        std::string_view text;
        double expected;
    };
    const Case cases[] = {
        {"2,00", 2.0}, {" 3,1 ", 3.1}, {"4", 4.0},   {"0", 0.0},     {"3.10", 3.1},
        {"2.00", 2.0}, {"", 3.1},      {"abc", 3.1}, {"1,2,3", 3.1}, {"+2,00", 2.0},
        {"1,1E1", 11}, {"E1", 3.1},    {"-", 3.1},   {"1.2,3", 3.1}, {"2.", 2.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(LayoutVersion(c.text), c.expected) << c.text;
    }
}

nfe::TNFe WithKey(std::string_view key) {
    nfe::TNFe nfe;
    nfe.infNFe.ID = key;
    return nfe;
}

TEST(ReadInvoiceData, ReadsDatesTotalAndTheModelAndSeriesFromTheKey) {
    nfe::TNFe nfe = WithKey(kKey);
    ReadInvoiceData(
        "Data de Emissão 02/03/2015 10:11:12-03:00|&|Data/Hora de Saída ou da Entrada |&|"
        "Data Saída/Entrada 05/03/2015 08:00:00|&|Valor Total da Nota Fiscal 1.234,56|&|"_w1252,
        nfe);
    EXPECT_DOUBLE_EQ(nfe.Ide.dEmi, At(2015, 3, 2, 10, 11, 12));
    EXPECT_DOUBLE_EQ(nfe.Ide.dSaiEnt, At(2015, 3, 5, 8));
    EXPECT_DOUBLE_EQ(nfe.Ide.hSaiEnt, At(2015, 3, 5, 8));
    EXPECT_EQ(nfe.Total.ICMSTot.vNF, nfe::Currency::FromRaw(12345600));
    EXPECT_EQ(nfe.Ide.modelo, 55);
    EXPECT_EQ(nfe.Ide.serie, 1);
}

TEST(ReadInvoiceData, PrefersTheFirstExitLabelAndTheTotalWrittenWithoutBlanks) {
    nfe::TNFe nfe = WithKey(kKey);
    ReadInvoiceData(
        "Data/Hora de Saída ou da Entrada 04/03/2015|&|Data Saída/Entrada 05/03/2015|&|"
        "ValorTotaldaNotaFiscal 10,00|&|Valor Total da Nota Fiscal 20,00|&|"_w1252,
        nfe);
    EXPECT_DOUBLE_EQ(nfe.Ide.dSaiEnt, At(2015, 3, 4));
    EXPECT_EQ(nfe.Total.ICMSTot.vNF, nfe::Currency::FromUnits(10));
    EXPECT_DOUBLE_EQ(nfe.Ide.dEmi, 0);
}

TEST(ReadInvoiceData, LeavesTheExitDateAloneWhenThePageHasNone) {
    nfe::TNFe nfe = WithKey(kKey);
    nfe.Ide.dSaiEnt = 7;
    nfe.Ide.hSaiEnt = 8;
    ReadInvoiceData("Data Saída/Entrada -|&|"_w1252, nfe);
    EXPECT_DOUBLE_EQ(nfe.Ide.dSaiEnt, 7);
    EXPECT_DOUBLE_EQ(nfe.Ide.hSaiEnt, 8);
}

TEST(ReadInvoiceData, FailsOnReadingsThatMustSucceed) {
    struct Case {
        std::string_view key;
        std::string section;
        std::string_view message;
    };
    const Case cases[] = {
        {kKey, std::string("Data de emissão amanhã|&|"_w1252), "Data de emissão"},
        {"35150312345678000199", "", "Modelo na chave de acesso"},
        {"3515031234567800019955", "", "Série na chave de acesso"},
        {"351503123456780001995A001", "", "Modelo na chave de acesso"},
    };
    for (const Case& c : cases) {
        nfe::TNFe nfe = WithKey(c.key);
        try {
            ReadInvoiceData(c.section, nfe);
            ADD_FAILURE() << "no error for " << c.key;
        } catch (const nfe::ConversionError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message));
        }
    }
}

TEST(ReadEmissionAndStatus, ReadsTheCodedFieldsAndTexts) {
    nfe::TNFe nfe;
    ReadEmissionAndStatus(
        "Processo 0 - com aplicativo do contribuinte|&|Versão do Processo 2.0|&|"
        "Tipo de Emissão 9 - Contingência off-line|&|Finalidade 4 - Devolução|&|"
        "Natureza da Operação VENDA & CIA|&|Tipo da Operação 1 - Saída|&|"
        "Forma de Pagamento 1 - A prazo|&|Digest Value da NF-e abc=|&|"_w1252,
        nfe);
    EXPECT_EQ(nfe.Ide.procEmi, nfe::TkroProcessoEmissao::peAplicativoContribuinte);
    EXPECT_EQ(nfe.Ide.verProc, "2.0");
    EXPECT_EQ(nfe.Ide.tpEmis, nfe::TkroTipoEmissao::teOffLine);
    EXPECT_EQ(nfe.Ide.finNFe, nfe::TkroFinalidadeNFe::fnDevolucao);
    EXPECT_EQ(nfe.Ide.natOp, "VENDA & CIA");
    // One character after the label is a blank; the two-character reading finds the code.
    EXPECT_EQ(nfe.Ide.tpNF, nfe::TkroTipoNFe::tnSaida);
    EXPECT_EQ(nfe.Ide.indPag, nfe::TkroIndicadorPagamento::ipPrazo);
    EXPECT_EQ(nfe.procNFe.digVal, "abc=");
}

TEST(ReadEmissionAndStatus, TurnsTheStatusIntoTheProtocolsCodeAndReason) {
    struct Case {
        std::string section;
        int cStat;
        std::string_view xMotivo;
    };
    const Case cases[] = {
        {std::string("Situação Atual: AUTORIZADA|&|"_w1252), 100, "Autorizado o uso da NF-e"},
        {std::string("Situação Atual: Autorizada|&|"_w1252), 100, "Autorizado o uso da NF-e"},
        {std::string("Situação Atual: Cancelada|&|"_w1252), 101, "Cancelado o uso da NF-e"},
        {std::string("SITUAÇÃO ATUAL: CANCELADA|&|"_w1252), 101, "Cancelado o uso da NF-e"},
        {std::string("Situação Atual: Denegada|&|"_w1252), 0, "Dene"},
        {std::string("Situação Atual: autorizada|&|"_w1252), 0, "auto"},
        {std::string("Situação Atual: Já|&|"_w1252), 0, "Já"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        nfe::TNFe nfe;
        ReadEmissionAndStatus(c.section, nfe);
        EXPECT_EQ(nfe.procNFe.cStat, c.cStat) << c.section;
        EXPECT_EQ(nfe.procNFe.xMotivo, c.xMotivo) << c.section;
    }
}

TEST(ReadProtocol, TakesNumberAndReceiptFromTheCellsAfterTheHeading) {
    struct Case {
        std::string section;
        std::string_view nProt;
        nfe::TDateTime dhRecbto;
    };
    const Case cases[] = {
        {std::string("Emissão|&|Data / Hora AN|&|Autorização de Uso|&|135|&|"
                     "02/03/2015 às 14:22:31|&|"_w1252),
         "135", At(2015, 3, 2, 14, 22, 31)},
        {std::string("Recebimento no Amb. Nacional|&|x|&|135150000001|&|"
                     "02/03/2015 ÀS 14:22:31-03:00|&|"_w1252),
         "135150000001", At(2015, 3, 2, 14, 22, 31)},
        // No cells: the labels of the block stand in.
        {"Protocolo 99|&|Data/Hora 03/03/2015 09:00:00|&|", "99", At(2015, 3, 3, 9)},
        {"Data / Hora AN|&|Autorizada|&|", "", 0},
        // A cell equal to the heading's cell is gone with it.
        {"Data / Hora AN|&|A|&|DATA / HORA AN|&|7|&|02/03/2015|&|", "7", At(2015, 3, 2)},
    };
    for (const Case& c : cases) {
        nfe::TProcNFe protocol;
        ReadProtocol(c.section, protocol);
        EXPECT_EQ(protocol.nProt, c.nProt) << c.section;
        EXPECT_DOUBLE_EQ(protocol.dhRecbto, c.dhRecbto) << c.section;
    }
}

}  // namespace
}  // namespace convert
