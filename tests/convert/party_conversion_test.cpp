#include <gtest/gtest.h>

#include <string>

#include "convert/party_conversion.h"
#include "convert/w1252_literal.h"

namespace convert {
namespace {

TEST(SplitAddress, CutsAtTheFirstComma) {
    struct Case {
        std::string_view address;
        std::string_view street;
        std::string_view number;
    };
    const Case cases[] = {
        {"RUA DAS FLORES, 123", "RUA DAS FLORES", " 123"},
        {"RUA SEM NUMERO", "", "RUA SEM NU"},
        {"AV. A, 10, SALA 5", "AV. A", " 10  SALA "},
        {"RUA B,", "RUA B", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const StreetAndNumber parts = SplitAddress(c.address);
        EXPECT_EQ(parts.street, c.street) << c.address;
        EXPECT_EQ(parts.number, c.number) << c.address;
    }
}

TEST(ReadSummaries, ReadTheIdentificationOfBothParties) {
    nfe::TNFe nfe;
    ReadEmitterSummary(
        "EMITENTE|&|CNPJ 12.345.678/0001-99|&|Nome / Razão Social EMPRESA Ç|&|"
        "Inscrição Estadual 123.456.789.110|&|"_w1252,
        nfe.Emit);
    EXPECT_EQ(nfe.Emit.CNPJCPF, "12345678000199");
    EXPECT_EQ(nfe.Emit.xNome, "EMPRESA Ç");
    EXPECT_EQ(nfe.Emit.IE, "123456789110");

    ReadRecipientSummary(
        "|&|Destinatário|&|CPF 123.456.789-09|&|Nome/Razão Social JOSÉ|&|"
        "Inscrição Estadual ISENTO|&|UF SP|&|"_w1252,
        nfe.Dest);
    EXPECT_EQ(nfe.Dest.CNPJCPF, "12345678909");
    EXPECT_EQ(nfe.Dest.xNome, "JOSÉ");
    EXPECT_EQ(nfe.Dest.IE, "ISENTO");
    EXPECT_EQ(nfe.Dest.EnderDest.UF, "SP");
}

TEST(ReadEmitterDetail, ReadsTheAddressAndTheRegistrations) {
    nfe::TNFe nfe;
    ReadEmitterDetail(
        "Dados do Emitente|&|Nome Fantasia LOJA|&|Endereço RUA DAS FLORES, 123|&|"
        "Bairro / Distrito CENTRO|&|CEP 01234-567|&|Município 3550308 - SAO PAULO|&|"
        "Telefone (11) 5555-1234|&|UF SP|&|País 1058 - BRASIL|&|"
        "Inscrição Estadual 111.222.333.444|&|Código de Regime Tributário 1 - Simples|&|"
        "Inscrição Estadual do Substituto Tributário 999|&|"
        "Município da Ocorrência do Fato Gerador do ICMS 3550308|&|CNAE Fiscal 4751-2/01|&|"
        "Inscrição Municipal 12.345|&|"_w1252,
        nfe);
    const nfe::TenderEmit& address = nfe.Emit.EnderEmit;
    EXPECT_EQ(nfe.Emit.xFant, "LOJA");
    EXPECT_EQ(address.xLgr, "RUA DAS FLORES");
    EXPECT_EQ(address.nro, " 123");
    EXPECT_EQ(address.xBairro, "CENTRO");
    EXPECT_EQ(address.CEP, 1234567);
    EXPECT_EQ(address.cMun, 3550308);
    EXPECT_EQ(nfe.Ide.cUF, 35);
    EXPECT_EQ(address.xMun, " SAO PAULO");  // the emitter's name is not trimmed
    EXPECT_EQ(address.fone, "1155551234");
    EXPECT_EQ(address.UF, "SP");
    EXPECT_EQ(address.cPais, 1058);
    EXPECT_EQ(address.xPais, "BRASIL");
    EXPECT_EQ(nfe.Emit.IE, "111222333444");
    EXPECT_EQ(nfe.Emit.CRT, nfe::TkroCRT::crtSimplesNacional);
    EXPECT_EQ(nfe.Emit.IEST, "999");
    // "Município " first matches the municipality line, so the place of the event is read
    // from its own label.
    EXPECT_EQ(nfe.Ide.cMunFG, 3550308);
    EXPECT_EQ(nfe.Emit.CNAE, "4751201");
    EXPECT_EQ(nfe.Emit.IM, "12345");
}

TEST(ReadEmitterDetail, FallsBackWhereThePageLacksAValue) {
    nfe::TNFe nfe;
    ReadEmitterDetail(
        "SUFRAMA 1|&|Bairro/Distrito VILA|&|Fone/Fax (11) 4444-0000|&|UF RJ|&|"
        "Código de Regime Tributário 4|&|"_w1252,
        nfe);
    const nfe::TenderEmit& address = nfe.Emit.EnderEmit;
    EXPECT_EQ(address.UF, "RJ");  // not "RAMA 1": only a line that starts with UF
    EXPECT_EQ(address.xBairro, "VILA");
    EXPECT_EQ(address.fone, "");  // the label has a blank in front of "Fone/Fax"
    EXPECT_EQ(address.cPais, 1058);
    EXPECT_EQ(address.xPais, "");
    EXPECT_EQ(address.nro, "");
    EXPECT_EQ(nfe.Ide.cUF, 0);
    EXPECT_EQ(nfe.Emit.CRT, nfe::TkroCRT::crtRegimeNormal);
}

TEST(ReadEmitterDetail, KeepsAShortCountryTextWhole) {
    nfe::TNFe nfe;
    ReadEmitterDetail("País Brasil|&|"_w1252, nfe);
    EXPECT_EQ(nfe.Emit.EnderEmit.xPais, "Brasil");
    EXPECT_EQ(nfe.Emit.EnderEmit.cPais, 1058);
}

TEST(ReadRecipientDetail, ReadsTheAddressAndTakesTheIdentificationOnlyWhenMissing) {
    const std::string section(
        "Dados do Destinatário|&|CNPJ 98.765.432/0001-10|&|E-mail a@b.com|&|"
        "Endereço AV. BRASIL, 1000|&|Bairro / Distrito JARDIM|&|CEP 20000-000|&|"
        "Município 3304557 - RIO DE JANEIRO |&|Fone / Fax 21 3333-2222|&|UF RJ|&|"
        "País 1058 - BRASIL|&|Inscrição Estadual 12.345.678|&|"_w1252);
    nfe::TDest dest;
    ReadRecipientDetail(section, dest);
    EXPECT_EQ(dest.CNPJCPF, "98765432000110");
    EXPECT_EQ(dest.Email, "a@b.com");
    EXPECT_EQ(dest.EnderDest.xLgr, "AV. BRASIL");
    EXPECT_EQ(dest.EnderDest.nro, " 1000");
    EXPECT_EQ(dest.EnderDest.xBairro, "JARDIM");
    EXPECT_EQ(dest.EnderDest.CEP, 20000000);
    EXPECT_EQ(dest.EnderDest.cMun, 3304557);
    EXPECT_EQ(dest.EnderDest.xMun, "RIO DE JANEIRO");
    EXPECT_EQ(dest.EnderDest.fone, "2133332222");
    EXPECT_EQ(dest.EnderDest.UF, "RJ");
    EXPECT_EQ(dest.EnderDest.cPais, 1058);
    EXPECT_EQ(dest.EnderDest.xPais, "BRASIL");
    EXPECT_EQ(dest.IE, "12345678");

    nfe::TDest known;
    known.CNPJCPF = "12345678909";
    ReadRecipientDetail(section, known);
    EXPECT_EQ(known.CNPJCPF, "12345678909");

    nfe::TDest byCpf;
    byCpf.CNPJCPF = " ";
    ReadRecipientDetail("CPF 111.222.333-44|&|", byCpf);
    EXPECT_EQ(byCpf.CNPJCPF, "11122233344");
    EXPECT_EQ(byCpf.EnderDest.xPais, "");
}

}  // namespace
}  // namespace convert
