#include "tools/dfe/dfe_arguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/dfe/catalog_commands.h"

namespace tools {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Command = DfeArguments::Command;

TEST(ParseDfeArguments, TakesEachCommandWithItsOptions) {
    const DfeArguments certificate =
        ParseDfeArguments({"certificado", "--senha-arquivo", "senha.txt", "A1.pfx"});
    EXPECT_EQ(certificate.command, Command::certificate);
    EXPECT_EQ(certificate.certificate, "A1.pfx");
    EXPECT_EQ(certificate.passwordFile, "senha.txt");

    const DfeArguments keys = ParseDfeArguments(
        {"chave", "-onotas", "--certificado=A1.pfx", "K1", "--uf", "sp", "--ca", "a.pem",
         "--ca=b.pem", "--homologacao", "--chaves", "lista.txt", "--", "-K2"});
    EXPECT_EQ(keys.command, Command::keys);
    EXPECT_EQ(keys.outputFolder, "notas");
    EXPECT_EQ(keys.certificate, "A1.pfx");
    EXPECT_THAT(keys.keys, ElementsAre("K1", "-K2"));
    EXPECT_EQ(keys.authorState, 35);
    EXPECT_THAT(keys.authorities, ElementsAre("a.pem", "b.pem"));
    EXPECT_TRUE(keys.homologation);
    EXPECT_EQ(keys.keysFile, "lista.txt");

    const DfeArguments fresh =
        ParseDfeArguments({"novos", "--certificado", "A1.pfx", "--desde-nsu", "000000000000120",
                           "--uf", "41", "--output", "out"});
    EXPECT_EQ(fresh.command, Command::newDocuments);
    EXPECT_EQ(fresh.fromNsu, 120u);
    EXPECT_EQ(fresh.authorState, 41);
    EXPECT_EQ(fresh.outputFolder, "out");
    EXPECT_FALSE(fresh.homologation);
    EXPECT_EQ(ParseDfeArguments({"novos", "--certificado", "A1.pfx"}).outputFolder, ".");

    const DfeArguments ciencia = ParseDfeArguments({"ciencia", "--sim", "--certificado", "A1.pfx",
                                                    "-o", "eventos", "--chaves", "l.txt", "K1"});
    EXPECT_EQ(ciencia.command, Command::ciencia);
    EXPECT_TRUE(ciencia.confirmed);
    EXPECT_THAT(ciencia.keys, ElementsAre("K1"));
    const DfeArguments keysWithCiencia =
        ParseDfeArguments({"chave", "--sim", "--ciencia", "--certificado", "A1.pfx", "K1"});
    EXPECT_TRUE(keysWithCiencia.ciencia && keysWithCiencia.confirmed);

    EXPECT_EQ(ParseDfeArguments({"chave", "--certificado", "A1.pfx", "--chaves", "l.txt"}).keys,
              std::vector<std::string>{});
    for (const auto& help : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"chave", "--nada", "--help"}, {"novos", "-h"}}) {
        EXPECT_TRUE(ParseDfeArguments(help).help);
    }
    EXPECT_TRUE(ParseDfeArguments({"--version"}).version);
    EXPECT_TRUE(ParseDfeArguments({"chave", "--version"}).version);
}

TEST(ParseDfeArguments, RejectsCommandLinesItCannotRun) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{}, "falta o comando"},
        {{"baixar"}, "comando desconhecido: baixar"},
        {{"certificado"}, "pede um arquivo A1"},
        {{"certificado", "a.pfx", "b.pfx"}, "pede um arquivo A1"},
        {{"certificado", "-o", "x", "a.pfx"}, "-o não se aplica ao comando certificado"},
        {{"certificado", "--homologacao", "a.pfx"}, "--homologacao não se aplica"},
        {{"chave", "K"}, "falta --certificado"},
        {{"chave", "--certificado", "A1.pfx"}, "nenhuma chave"},
        {{"chave", "--certificado", "A1.pfx", "--desde-nsu", "1", "K"},
         "--desde-nsu não se aplica ao comando chave"},
        {{"novos", "--certificado", "A1.pfx", "K"}, "não recebe argumentos"},
        {{"novos", "--certificado", "A1.pfx", "--chaves", "l"}, "--chaves não se aplica"},
        {{"novos", "--certificado"}, "falta o valor depois de --certificado"},
        {{"novos", "--certificado="}, "está vazio"},
        {{"novos", "--certificado", "a", "--certificado", "b"}, "mais de uma vez"},
        {{"novos", "--certificado", "a", "--desde-nsu", "1000000000000000"}, "até 15 dígitos"},
        {{"novos", "--certificado", "a", "--desde-nsu", "-1"}, "até 15 dígitos"},
        {{"novos", "--certificado", "a", "--uf", "99"}, "--uf pede"},
        {{"novos", "--certificado", "a", "--uf", "XX"}, "--uf pede"},
        {{"novos", "--certificado", "a", "--senha", "x"}, "opção desconhecida: --senha"},
        {{"ciencia", "--certificado", "A1.pfx"}, "nenhuma chave"},
        {{"ciencia", "--ciencia", "--certificado", "A1.pfx", "K"},
         "--ciencia não se aplica ao comando ciencia"},
        {{"ciencia", "--uf", "SP", "--certificado", "A1.pfx", "K"}, "--uf não se aplica"},
        {{"novos", "--sim", "--certificado", "A1.pfx"}, "--sim não se aplica ao comando novos"},
        {{"chave", "--sim", "--certificado", "A1.pfx", "K"}, "use-o com --ciencia"},
        {{"chave", "--pasta", "p", "--certificado", "A1.pfx", "K"},
         "--pasta não se aplica ao comando chave"},
        {{"certificado", "--catalogo", "c.sqlite", "a.pfx"},
         "--catalogo não se aplica ao comando certificado"},
        {{"novos", "--homologacao=sim", "--certificado", "A1.pfx"}, "não recebe valor"},
    };
    for (const Case& c : cases) {
        try {
            ParseDfeArguments(c.arguments);
            ADD_FAILURE() << "accepted: " << ::testing::PrintToString(c.arguments);
        } catch (const DfeUsageError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message))
                << ::testing::PrintToString(c.arguments);
        }
    }
}

TEST(ParseCatalogArguments, TakesTheActionAndTheFiltersFromTheSameTable) {
    const CatalogArguments invoices =
        ParseCatalogArguments({"notas", "--de=2024-01-01", "--resumos", "--empresa",
                               "44.555.666/0001-81", "--situacao", "cancelada", "--csv"});
    EXPECT_EQ(invoices.filter.from, "2024-01-01");
    EXPECT_TRUE(invoices.filter.summariesOnly && invoices.csv);
    EXPECT_EQ(invoices.filter.company, "44555666000181");
    const CatalogArguments added = ParseCatalogArguments(
        {"empresas", "adicionar", "--certificado", "A1.pfx", "--pasta", "p", "--homologacao"});
    EXPECT_EQ(added.action, "adicionar");
    EXPECT_TRUE(added.operands.empty() && added.homologation);
    EXPECT_THAT(ParseCatalogArguments({"sincronizar", "--ca", "a", "--ca", "b", "1"}).authorities,
                ElementsAre("a", "b"));
    EXPECT_TRUE(ParseCatalogArguments({"notas", "--nada", "-h"}).help);
    EXPECT_TRUE(ParseCatalogArguments({"empresas", "--version"}).version);

    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"notas", "--uf", "SP"}, "--uf não se aplica ao comando notas"},
        {{"sincronizar", "--pasta", "p"}, "--pasta não se aplica ao comando sincronizar"},
        {{"notas", "--de", "2024-01-01", "--de", "2024-02-01"}, "--de foi dada mais de uma vez"},
        {{"notas", "--csv=sim"}, "--csv não recebe valor"},
        {{"notas", "--emitente="}, "o valor de --emitente está vazio"},
        {{"notas", "--de", "ontem"}, "--de pede uma data"},
        {{"empresas", "remover"}, "empresas remover pede um CNPJ"},
        {{"empresas", "--pasta", "p"}, "são de empresas adicionar"},
    };
    for (const Case& c : cases) {
        try {
            ParseCatalogArguments(c.arguments);
            ADD_FAILURE() << "accepted: " << ::testing::PrintToString(c.arguments);
        } catch (const DfeUsageError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message))
                << ::testing::PrintToString(c.arguments);
        }
    }
}

}  // namespace
}  // namespace tools
