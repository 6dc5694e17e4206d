#include "nfe/gerador.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "nfe/cpf.h"
#include "nfe/decimal_text.h"
#include "nfe/xml_text_filter.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace nfe {
namespace {

using test_support::ReadFile;
using test_support::TemporaryDirectory;
using test_support::WriteFile;

DateTimeValue At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return DateTimeValue(EncodeDateTime({year, month, day, hour, minute, second, 0}));
}

std::string Field(TkroTipoCampo tipo, int minimo, int maximo, int ocorrencias,
                  const FieldValue& valor) {
    TGerador gerador;
    gerador.wCampo(tipo, "X01", "x", minimo, maximo, ocorrencias, valor);
    return gerador.ArquivoFormatoXML;
}

TEST(TGerador, FormatsEachFieldTypeAndAppliesTheOccurrenceRule) {
    struct Case {
        TkroTipoCampo tipo;
        int minimo, maximo, ocorrencias;
        FieldValue valor;
        std::string expected;
    };
    const Case cases[] = {
        {tcDe2, 1, 15, 1, 0, "<x>0.00</x>"},
        {tcDe2, 1, 15, 0, 0, ""},
        {tcDe2, 1, 15, 0, Currency::FromRaw(1), "<x>0.00</x>"},  // not zero, so written
        {tcDe3, 1, 15, 1, 1234.5, "<x>1234.500</x>"},
        {tcDe4, 1, 15, 1, 0.00005, "<x>0.0001</x>"},
        {tcDe6, 1, 15, 1, Currency::FromRaw(-15), "<x>-0.001500</x>"},
        {tcDe10, 1, 21, 1, 123456.1234567891, "<x>123456.1234567891</x>"},
        {tcDe2, 5, 15, 1, 1.5, "<x>001.50</x>"},
        {tcDe2, 1, 15, 1, "12,345", "<x>12.35</x>"},
        {tcDe2, 1, 15, 1, At(2015, 8, 24), "<x>0.00</x>"},  // a date is no amount
        {tcDe2, 1, 15, 1, std::nan(""), "<x>0.00</x>"},
        {tcInt, 5, 5, 1, 42, "<x>00042</x>"},
        {tcInt, 5, 5, 1, -42, "<x>-0042</x>"},
        {tcInt, 1, 9, 0, 0, ""},
        {tcInt, 2, 2, 1, 0, "<x>00</x>"},
        {tcInt, 1, 9, 1, Currency::FromRaw(25000), "<x>3</x>"},
        {tcInt, 1, 9, 1, -2.5, "<x>-3</x>"},
        {tcInt, 1, 9, 1, " 17 ", "<x>17</x>"},
        {tcInt, 1, 9, 1, "17a", "<x>0</x>"},
        {tcDat, 10, 10, 1, At(2015, 8, 4, 10, 30), "<x>2015-08-04</x>"},
        {tcDat, 10, 10, 0, DateTimeValue(0), ""},
        {tcDat, 10, 10, 0, DateTimeValue(0.75), ""},  // a time on the zero date is no date
        {tcDat, 0, 10, 1, 42240.0, "<x/>"},           // a bare double is no date
        {tcDatHor, 19, 19, 1, At(2015, 8, 24, 22, 5, 9), "<x>2015-08-24T22:05:09</x>"},
        {tcDatCFe, 8, 8, 1, At(2015, 8, 24), "<x>20150824</x>"},
        {tcDatVcto, 10, 10, 1, At(2015, 8, 4), "<x>04/08/2015</x>"},
        {tcHor, 8, 8, 1, At(2015, 8, 24, 7, 5, 3), "<x>07:05:03</x>"},
        {tcHor, 8, 8, 0, At(2015, 8, 24), ""},  // midnight is no time
        {tcHorCFe, 6, 6, 1, At(1899, 12, 30, 23, 59, 59), "<x>235959</x>"},
        {tcEsp, 4, 4, 1, " 1508 ", "<x>1508</x>"},
        {tcStr, 1, 60, 1, "  A  &  B  ", "<x>A &amp; B</x>"},
        {tcStr, 1, 60, 1, "Ação", "<x>Acao</x>"},
        {tcStr, 1, 60, 1, "linha 1\r\nlinha 2", "<x>linha 1 linha 2</x>"},
        {tcStr, 1, 60, 0, "   ", ""},
        {tcStr, 1, 60, 1, 7, "<x>7</x>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Field(c.tipo, c.minimo, c.maximo, c.ocorrencias, c.valor), c.expected)
            << "type " << c.tipo << ", value " << c.valor.Text();
    }
}

TEST(TGerador, EmptyElementFormAndSuppressedDecimals) {
    TGerador gerador;
    gerador.Opcoes.TagVaziaNoFormatoResumido = false;
    gerador.Opcoes.SuprimirDecimais = true;
    gerador.wCampo(tcStr, "XS17", "DigestValue", 0, 999, 1, "");
    gerador.wCampo(tcDe2, "X", "whole", 1, 15, 1, Currency::FromUnits(5));
    gerador.wCampo(tcDe2, "X", "part", 1, 15, 1, Currency::FromRaw(50500));
    EXPECT_EQ(gerador.ArquivoFormatoXML,
              "<DigestValue></DigestValue><whole>5</whole><part>5.05</part>");
    EXPECT_TRUE(gerador.ListaDeAlertas.empty());
}

TEST(DecimalRounding, HalvesGoAwayFromZeroOnTheDecimalDigits) {
    struct Case {
        FieldValue valor;
        TkroTipoCampo tipo;
        std::string expected;
    };
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    const Case cases[] = {
        {Currency::FromRaw(12345), tcDe2, "1.23"},
        {Currency::FromRaw(12350), tcDe2, "1.24"},
        {Currency::FromRaw(-12350), tcDe2, "-1.24"},
        {Currency::FromRaw(99995), tcDe3, "10.000"},
        {Currency::FromRaw(-4), tcDe3, "0.000"},  // no sign on a zero
        {Currency::FromRaw(kMin), tcDe2, "-922337203685477.58"},
        {Currency::FromRaw(kMax), tcDe10, "922337203685477.5807000000"},
        {1.005, tcDe2, "1.01"},  // the decimal that the double was written from
        {2.675, tcDe2, "2.68"},
        {-0.125, tcDe2, "-0.13"},
        {9.995, tcDe2, "10.00"},
        {0.1 + 0.2, tcDe2, "0.30"},
        {1e-7, tcDe6, "0.000000"},
        {-0.0, tcDe2, "0.00"},
        {1e20, tcDe2, "100000000000000000000.00"},
        {kMax, tcDe2, "9223372036854775807.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Field(c.tipo, 1, 30, 1, c.valor), "<x>" + c.expected + "</x>") << c.valor.Text();
    }
    EXPECT_EQ(RoundDecimalText(".5", 0), "1");
    EXPECT_EQ(RoundDecimalText("-999.995", 2), "-1000.00");
    EXPECT_EQ(RoundDecimalText("007", 1), "7.0");
}

std::vector<std::string> Alerts(TkroTipoCampo tipo, int minimo, int maximo, int ocorrencias,
                                const FieldValue& valor) {
    TGerador gerador;
    gerador.wCampo(tipo, " C03 ", " xNome ", minimo, maximo, ocorrencias, valor, "Nome");
    return gerador.ListaDeAlertas;
}

TEST(TGerador, RecordsSizeAndPresenceAlerts) {
    using Lines = std::vector<std::string>;
    const std::string seventy(70, 'N');
    EXPECT_EQ(
        Alerts(tcStr, 2, 60, 1, seventy),
        Lines{"TAG: ID:C03/xNome(Nome) - Tamanho maior que o máximo permitido [" + seventy + "]."});
    EXPECT_EQ(Alerts(tcStr, 3, 60, 1, "AB"),
              Lines{"TAG: ID:C03/xNome(Nome) - Tamanho menor que o mínimo permitido [AB]."});
    EXPECT_EQ(Alerts(tcStr, 11, 11, 1, ""),
              Lines{"TAG: ID:C03/xNome(Nome) - Nenhum valor informado."});
    EXPECT_EQ(Alerts(tcDe2, 1, 3, 1, Currency::FromRaw(123450)),
              Lines{"TAG: ID:C03/xNome(Nome) - Tamanho maior que o máximo permitido [12,345]."});
    EXPECT_EQ(Alerts(tcEsp, 4, 4, 1, "12a4"),
              Lines{"TAG: ID:C03/xNome(Nome) - Conteúdo inválido."});
    EXPECT_EQ(Alerts(tcStr, 2, 60, 1, "A"), Lines{});    // one character is let through
    EXPECT_EQ(Alerts(tcStr, 2, 60, 0, ""), Lines{});     // absent and optional
    EXPECT_EQ(Alerts(tcStr, 2, 4, 1, "Ação"), Lines{});  // characters, not bytes
    EXPECT_EQ(Alerts(tcDe2, 1, 15, 1, 0), Lines{});      // zero is a value

    TGerador gerador;
    gerador.wCampo(tcStr, "C03", "xNome", 2, 60, 1, seventy);
    EXPECT_EQ(gerador.ArquivoFormatoXML, "<xNome>" + seventy + "</xNome>");
}

TEST(TGerador, AlertLinesFollowTheTemplate) {
    TGerador gerador;
    gerador.wGrupo("ide", "B01");
    gerador.wAlerta("B02", "cUF", " UF ", "Conteúdo inválido");
    gerador.wAlerta("B03", "cNF", "", " ");
    gerador.Opcoes.FormatoAlerta = "%MSG%|%TAG%|%TAG%|%ID%|%TAGNIVEL%";
    gerador.wAlerta("B04", "natOp", "", "x");
    EXPECT_EQ(gerador.ListaDeAlertas,
              (std::vector<std::string>{"TAG:<ide> ID:B02/cUF(UF) - Conteúdo inválido.",
                                        "x|natOp|natOp|B04|<ide>"}));
}

TEST(TGerador, BreadcrumbSkipsListedGroupsAndLeavesItemsWhole) {
    TGerador gerador;
    gerador.IgnorarTagNivel = "|?xml version|NFe xmlns|infNFe versao|obsCont|obsFisco|";
    gerador.wGrupo(R"(NFe xmlns="http://www.portalfiscal.inf.br/nfe")");
    gerador.wGrupo(R"(infNFe versao="3.10" Id="NFe1")", "a01");
    EXPECT_EQ(gerador.TagNivel, "");
    EXPECT_EQ(gerador.IDNivel, "A01");

    gerador.wGrupo(R"(det nItem="1")", "H01");
    gerador.wGrupo("prod", "I01");
    gerador.wGrupo("detExport", "I50");
    gerador.wGrupo("/detExport");
    EXPECT_EQ(gerador.TagNivel, R"(<det nItem="1"><prod>)");
    gerador.wGrupo("/prod");
    gerador.wGrupo("imposto");
    gerador.wGrupo("ICMS");
    gerador.wGrupo("/det");  // leaves the item with its groups, closed or not
    EXPECT_EQ(gerador.TagNivel, "");

    gerador.wGrupo("infAdic");
    gerador.wGrupo(R"(obsCont xCampo="a")");
    gerador.wGrupo("/obsCont");
    EXPECT_EQ(gerador.TagNivel, "<infAdic>");
    gerador.wGrupo("/infAdic");
    EXPECT_EQ(gerador.TagNivel, "");
}

TEST(TGerador, IndentsEachLineWhenAsked) {
    TGerador gerador;
    gerador.Opcoes.IdentarXML = true;
    gerador.IgnorarTagIdentacao = "|C|";
    gerador.wGrupo("A");
    gerador.wCampo(tcInt, "B02", "cUF", 2, 2, 1, 35);
    gerador.wGrupo(R"(B x="1"/)");  // a self-closed group still steps in
    gerador.wGrupo("C");            // listed: one step back
    gerador.wGrupo("/C");
    gerador.wGrupo("/A");
    gerador.wGrupo("?xml", "", false);
    EXPECT_EQ(gerador.ArquivoFormatoXML,
              "<A>\r\n"
              "   <cUF>35</cUF>\r\n"
              "   <B x=\"1\"/>\r\n"
              "   <C>\r\n"
              "   </C>\r\n"
              "</A>\r\n"
              "<?xml>\r\n");
    EXPECT_EQ(gerador.Opcoes.NivelIdentacao, 0);
}

TEST(TGerador, GroupsAndRawTextsStayAsTheyAre) {
    TGerador gerador;
    gerador.wGrupo(R"(obsCont xCampo="Ação & 中")");
    gerador.wTexto("<protNFe>ç</protNFe>");
    EXPECT_EQ(gerador.ArquivoFormatoXML, R"(<obsCont xCampo="Ação & 中"><protNFe>ç</protNFe>)");

    TGerador validador;
    validador.Opcoes.SomenteValidar = true;
    validador.wGrupo("ide");
    validador.wCampo(tcStr, "B04", "natOp", 1, 60, 1, "");
    validador.wTexto("x");
    EXPECT_EQ(validador.ArquivoFormatoXML, "");
    EXPECT_EQ(validador.ListaDeAlertas,
              std::vector<std::string>{"TAG:<ide> ID:B04/natOp() - Nenhum valor informado."});
}

TEST(ElementTextFilter, StripsEscapesAndCollapses) {
    struct Case {
        std::string text;
        bool retirarEspacos, retirarAcentos;
        std::string expected;
    };
    const Case cases[] = {
        {"ÀÂÊÔÛÃÕÁÉÍÓÚÇÜÎÄËÏÖÈÌÒÙàâêôûãõáéíóúçüîäëïöèìòù", true, true,
         "AAEOUAOAEIOUCUIAEIOEIOUaaeouaoaeioucuiaeioeiou"},
        {"Nº 5 – ñ\tfim", true, true, "N 5 fim"},  // others in the code page become spaces
        {"a中b\xFF", true, true, "a?b?"},          // outside it, "?"
        {R"(<a href='x'>"&amp;)", true, true, "&lt;a href=&#39;x&#39;&gt;&quot;&amp;amp;"},
        {"  a   b  ", false, true, "a   b"},
        {"Ação – € 中", true, false, "Ação – € ?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FilterElementText(c.text, c.retirarEspacos, c.retirarAcentos), c.expected)
            << c.text;
    }
}

TEST(TGerador, WritesCnpjOrCpfWithTheirChecks) {
    struct Case {
        int cPais;
        std::string numero;
        std::string xml;
        std::vector<std::string> alerts;
    };
    const Case cases[] = {
        {1058, " 11.222.333/0001-81 ", "<CNPJ>11222333000181</CNPJ>", {}},
        {1058,
         "11222333000182",
         "<CNPJ>11222333000182</CNPJ>",
         {"TAG: ID:C02/CNPJ() - Conteúdo inválido."}},
        {1058, "123.456.789-09", "<CPF>12345678909</CPF>", {}},
        {1058,
         "12345678900",
         "<CPF>12345678900</CPF>",
         {"TAG: ID:C02a/CPF() - Conteúdo inválido."}},
        {1058, "123", "", {"TAG: ID:C02-C02a/CNPJ-CPF(CNPJ/CPF) - Nenhum valor informado."}},
        {1058, "", "", {"TAG: ID:C02-C02a/CNPJ-CPF(CNPJ/CPF) - Nenhum valor informado."}},
        {1600, "12345678909", "<CNPJ/>", {}},
    };
    for (const auto& c : cases) {
        TGerador gerador;
        gerador.wCampoCNPJCPF("C02", "C02a", c.cPais, c.numero);
        EXPECT_EQ(gerador.ArquivoFormatoXML, c.xml) << c.numero;
        EXPECT_EQ(gerador.ListaDeAlertas, c.alerts) << c.numero;
    }
}

TEST(Cpf, ChecksBothDigits) {
    EXPECT_TRUE(IsValidCPF("12345678909"));
    EXPECT_TRUE(IsValidCPF("52998224725"));
    EXPECT_TRUE(IsValidCPF("00000000000"));   // remainders 0 give check digits 0
    EXPECT_FALSE(IsValidCPF("52998224715"));  // first digit wrong
    EXPECT_FALSE(IsValidCPF("52998224726"));  // second digit wrong
    EXPECT_FALSE(IsValidCPF("5299822472"));
    EXPECT_FALSE(IsValidCPF("529.982.247-25"));
}

TEST(SalvarArquivo, ReplacesTheFileWithTheTextAndALineBreak) {
    TemporaryDirectory folder;
    const auto path = folder / "35150811222333000181550010000000011000000010-nfe.xml";
    WriteFile(path, "older and longer contents");
    TGerador gerador;
    gerador.wGrupo(R"(obsCont xCampo="Ação")");
    EXPECT_TRUE(gerador.SalvarArquivo(path, fgXML));
    EXPECT_EQ(ReadFile(path), "<obsCont xCampo=\"Ação\">\r\n");
    EXPECT_TRUE(gerador.SalvarArquivo(path, fgTXT));
    EXPECT_EQ(ReadFile(path), "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SalvarArquivo, AFolderThatCannotTakeTheFileThrowsNamingIt) {
    TemporaryDirectory folder;
    WriteFile(folder / "plain", "x");
    TGerador gerador;
    for (const auto& path : {folder / "missing" / "a.xml", folder / "plain" / "a.xml"}) {
        try {
            gerador.SalvarArquivo(path, fgXML);
            ADD_FAILURE() << path;
        } catch (const files::FileError& error) {
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos);
        }
    }
}

// Lists the names in a folder, to show that nothing was left behind.
std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SalvarArquivo, AFailedWriteKeepsTheOlderFileAndLeavesNoPartialFile) {
    TemporaryDirectory folder;
    const auto path = folder / "a.xml";
    WriteFile(path, "good");

    // A file-size limit makes the write itself fail halfway.
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = original;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(files::WriteFileAtomically(path, std::string(100'000, 'x')), files::FileError);
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previous_handler);

    // The name is taken by a folder with contents: the final step fails.
    std::filesystem::create_directories(folder / "b.xml" / "inside");
    EXPECT_THROW(files::WriteFileAtomically(folder / "b.xml", "text"), files::FileError);

    EXPECT_EQ(ReadFile(path), "good");
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"a.xml", "b.xml"}));
}

}  // namespace
}  // namespace nfe
