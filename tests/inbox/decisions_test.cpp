// The window's decisions as plain functions: the status line, the periods, the actions'
// states, the confirmation, the command lines and the progress lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "inbox/action_states.h"
#include "inbox/child_commands.h"
#include "inbox/command_line.h"
#include "inbox/invoice_filter.h"
#include "inbox/manifestation.h"
#include "inbox/pin_runs.h"
#include "inbox/progress_line.h"
#include "inbox/status_line.h"
#include "tests/support/temporary_directory.h"

namespace inbox {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

catalog::ListedInvoice Invoice(std::int64_t cents, bool full = true,
                               catalog::Situation situation = catalog::Situation::authorised,
                               std::string company = "44555666000181",
                               std::string manifestation = "") {
    catalog::ListedInvoice invoice;
    invoice.key = "35150761024385000111550010000001011102030405";
    invoice.valueCents = cents;
    invoice.full = full;
    invoice.situation = situation;
    invoice.company = std::move(company);
    invoice.manifestation = std::move(manifestation);
    return invoice;
}

TEST(StatusLineTest, CountsSummariesCancelledAndTheTotalInReais) {
    std::vector<catalog::ListedInvoice> invoices;
    for (int i = 0; i < 128; ++i) {
        invoices.push_back(Invoice(
            0, i >= 12, i < 3 ? catalog::Situation::cancelled : catalog::Situation::authorised));
    }
    invoices[0].valueCents = 123456789;
    EXPECT_EQ(StatusLine(invoices),
              "128 notas · 12 só resumo · 3 canceladas · total R$ 1.234.567,89");
    EXPECT_EQ(StatusLine({Invoice(5, true, catalog::Situation::cancelled)}),
              "1 nota · 0 só resumo · 1 cancelada · total R$ 0,05");
    EXPECT_EQ(StatusLine({}), "0 notas · 0 só resumo · 0 canceladas · total R$ 0,00");
    EXPECT_EQ(Reais(100000000), "R$ 1.000.000,00");
}

TEST(StatusLineTest, TheCertificateWarnsFromThirtyDaysBeforeItEnds) {
    const dfe::Time now{std::chrono::seconds(1'800'000'000)};
    const auto in = [&](std::chrono::hours left) {
        return ValidityOf(
            std::chrono::duration_cast<std::chrono::seconds>((now + left).time_since_epoch())
                .count(),
            now);
    };
    EXPECT_FALSE(in(std::chrono::hours(24 * 31)).warning);
    EXPECT_THAT(in(std::chrono::hours(24 * 31)).text, HasSubstr("(31 dias)"));
    EXPECT_TRUE(in(std::chrono::hours(24 * 30)).warning);
    EXPECT_THAT(in(std::chrono::hours(24)).text, HasSubstr("(1 dia)"));
    EXPECT_TRUE(in(-std::chrono::hours(1)).warning);
    EXPECT_THAT(in(-std::chrono::hours(1)).text, HasSubstr("vencido"));
    EXPECT_EQ(SynchronisationLine(std::nullopt), "Nunca sincronizada");
    EXPECT_THAT(SynchronisationLine(1'800'000'000), HasSubstr("próxima consulta a partir de"));
}

TEST(PeriodTest, PeriodsCountFromTheCurrentMonthAcrossTheYear) {
    struct Case {
        Period period;
        int year, month;
        std::string from, until;
    };
    const Case cases[] = {
        {Period::thisMonth, 2026, 12, "2026-12-01", ""},
        {Period::lastMonth, 2026, 1, "2025-12-01", "2025-12-31"},
        {Period::lastThreeMonths, 2026, 2, "2025-12-01", ""},
        {Period::thisYear, 2026, 7, "2026-01-01", ""},
        {Period::all, 2026, 7, "", ""},
    };
    for (const Case& c : cases) {
        const catalog::DocumentFilter filter =
            CatalogFilter("44555666000181", c.period, c.year, c.month);
        EXPECT_EQ(filter.from, c.from) << static_cast<int>(c.period);
        EXPECT_EQ(filter.until, c.until) << static_cast<int>(c.period);
        EXPECT_EQ(filter.company, "44555666000181");
    }
}

TEST(ActionStatesTest, ActionsFollowTheSelectionAndWhetherACommandRuns) {
    const catalog::ListedInvoice summary = Invoice(100, false);
    const catalog::ListedInvoice full = Invoice(100, true);
    const catalog::ListedInvoice cancelled = Invoice(100, true, catalog::Situation::cancelled);
    const catalog::ListedInvoice confirmed =
        Invoice(100, true, catalog::Situation::authorised, "44555666000181", "confirmada");
    const catalog::ListedInvoice known =
        Invoice(100, true, catalog::Situation::authorised, "44555666000181", "ciência");
    const catalog::ListedInvoice otherCompany =
        Invoice(100, false, catalog::Situation::authorised, "61024385000111");

    WindowSituation idle{false, true, true, 3, {}};
    ActionStates states = ActionStatesFor(idle);
    EXPECT_TRUE(states.fetchNew && states.exportCsv && states.addCompany && states.removeCompany);
    EXPECT_FALSE(states.ciencia || states.copyKey || states.openXml || states.cancel);

    struct Case {
        std::vector<catalog::ListedInvoice> selected;
        bool ciencia, others, danfe, openXml;
    };
    const Case cases[] = {
        {{summary}, true, true, false, true},
        {{full}, true, true, true, true},
        {{summary, full, known}, true, true, false, false},
        {{summary, cancelled}, false, false, false, false},     // a cancelled one takes none
        {{confirmed}, false, true, true, true},                 // after a final one, no Ciência
        {{summary, otherCompany}, false, false, false, false},  // two companies' names
    };
    for (const Case& c : cases) {
        WindowSituation situation = idle;
        situation.selected = c.selected;
        states = ActionStatesFor(situation);
        EXPECT_EQ(states.ciencia, c.ciencia) << c.selected.size();
        EXPECT_EQ(states.otherManifestations, c.others) << c.selected.size();
        EXPECT_EQ(states.danfe, c.danfe) << c.selected.size();
        EXPECT_EQ(states.openXml, c.openXml) << c.selected.size();
        EXPECT_TRUE(states.copyKey);
    }

    WindowSituation busy{true, true, false, 3, {summary}};
    states = ActionStatesFor(busy);
    EXPECT_TRUE(states.cancel && states.copyKey);
    EXPECT_FALSE(states.fetchNew || states.ciencia || states.addCompany || states.removeCompany);
    EXPECT_FALSE(ActionStatesFor({false, false, false, 0, {}}).fetchNew);
}

TEST(ManifestationTest, TheConfirmationSaysTheEventTheCountTheCompanyAndWhatItMeans) {
    const std::string ciencia = ConfirmationText(
        Manifestation::ciencia, 2, "INDUSTRIA BETA DE MAQUINAS S.A.", "44555666000181");
    EXPECT_EQ(ciencia,
              "Registrar a Ciência da Operação de 2 NF-e em nome de INDUSTRIA BETA DE MAQUINAS "
              "S.A. (CNPJ 44.555.666/0001-81)?\n\nA Ciência da Operação é um ato da empresa "
              "perante o fisco: fica registrado no Ambiente Nacional, em nome de INDUSTRIA BETA "
              "DE MAQUINAS S.A. (CNPJ 44.555.666/0001-81), que ela tem conhecimento da operação "
              "de cada NF-e.");
    for (const Manifestation final : {Manifestation::confirmacao, Manifestation::desconhecimento,
                                      Manifestation::naoRealizada}) {
        const std::string text = ConfirmationText(final, 1, "BETA", "44555666000181");
        EXPECT_THAT(text, HasSubstr(std::string(ManifestationTitle(final)) + " de 1 NF-e"));
        EXPECT_THAT(text, HasSubstr("conclusiva"));
    }
    EXPECT_THAT(ciencia, Not(HasSubstr("conclusiva")));
    EXPECT_THAT(ConfirmationText(Manifestation::naoRealizada, 1, "BETA", "44555666000181",
                                 "Mercadoria devolvida"),
                HasSubstr("\n\nJustificativa: Mercadoria devolvida"));

    EXPECT_TRUE(JustificationProblem("curta demais"));
    EXPECT_FALSE(JustificationProblem("Mercadoria devolvida"));
    EXPECT_FALSE(JustificationProblem(std::string(255, 'a')));
    EXPECT_TRUE(JustificationProblem(std::string(256, 'a')));
    // Characters, not bytes: 15 accented letters are 30 bytes.
    std::string accented;
    for (int i = 0; i < 15; ++i) {
        accented += "ã";
    }
    EXPECT_FALSE(JustificationProblem(accented));
}

TEST(ChildCommandsTest, CommandLinesCarryNoPasswordAndTheCompanyAndKeysAsGiven) {
    const std::vector<std::string> ca{"/tmp/ca.pem"};
    const std::vector<std::string> keys{"35150761024385000111550010000001011102030405",
                                        "41150808765432000103550010000002021203040502"};
    EXPECT_THAT(SynchroniseArguments({}, {}), ElementsAre("sincronizar"));
    EXPECT_THAT(
        SynchroniseArguments({"44555666000181", "61024385000111"}, ca),
        ElementsAre("sincronizar", "--ca", "/tmp/ca.pem", "44555666000181", "61024385000111"));
    EXPECT_THAT(ManifestArguments(Manifestation::ciencia, "", "44555666000181", keys, {}),
                ElementsAre("manifestar", "--evento", "ciencia", "--sim", "--empresa",
                            "44555666000181", keys[0], keys[1]));
    EXPECT_THAT(ManifestArguments(Manifestation::naoRealizada, "Mercadoria devolvida",
                                  "44555666000181", {keys[0]}, ca),
                ElementsAre("manifestar", "--evento", "nao-realizada", "--justificativa",
                            "Mercadoria devolvida", "--sim", "--empresa", "44555666000181", "--ca",
                            "/tmp/ca.pem", keys[0]));
    EXPECT_THAT(
        FetchKeysArguments("44555666000181", {keys[1]}, ca),
        ElementsAre("chave", "--empresa", "44555666000181", "--ca", "/tmp/ca.pem", keys[1]));
    EXPECT_THAT(AddCompanyArguments({"/c/a1.pfx", "/notas", true, ""}),
                ElementsAre("empresas", "adicionar", "--certificado", "/c/a1.pfx", "--pasta",
                            "/notas", "--homologacao"));
    EXPECT_THAT(AddCompanyArguments({"/c/a1.pfx", "", false, "/c/senha.txt"}),
                ElementsAre("empresas", "adicionar", "--certificado", "/c/a1.pfx",
                            "--senha-arquivo", "/c/senha.txt"));
    EXPECT_THAT(RemoveCompanyArguments("44555666000181"),
                ElementsAre("empresas", "remover", "44555666000181"));
}

TEST(ChildCommandsTest, TheProgramBesideTheWindowComesBeforeThePath) {
    test_support::TemporaryDirectory folder;
    const auto program = [&](const std::string& dir, bool executable) {
        std::filesystem::create_directories(folder / dir);
        std::ofstream(folder / dir / "vellora-dfe") << "#!/bin/sh\n";
        ::chmod((folder / dir / "vellora-dfe").c_str(), executable ? 0755 : 0644);
    };
    program("beside", true);
    program("plain", false);
    program("bin", true);
    const std::string path =
        (folder / "plain").string() + "::relative:" + (folder / "bin").string();
    EXPECT_EQ(FindProgram("vellora-dfe", folder / "beside", path), folder / "beside/vellora-dfe");
    // A file that cannot be run is passed over, and so are empty and relative entries.
    EXPECT_EQ(FindProgram("vellora-dfe", folder / "none", path), folder / "bin/vellora-dfe");
    EXPECT_EQ(FindProgram("vellora-dfe", folder / "none", (folder / "plain").string()),
              std::nullopt);
}

TEST(ProgressLineTest, LinesOfTheChildAreShownInWords) {
    const std::pair<std::string, std::string> cases[] = {
        {"[2/5] 35150761024385000111550010000001011102030405",
         "Nota 2 de 5: 35150761024385000111550010000001011102030405"},
        {"44.555.666/0001-81: 3 documentos, 1 resumo, 0 cancelamentos; aguardando: nova "
         "consulta a partir de 11/12/2026 10:00",
         "44.555.666/0001-81: 3 documentos, 1 resumo, 0 cancelamentos; o limite de uso do "
         "serviço pede uma espera: nova consulta a partir de 11/12/2026 10:00"},
        {"  texto\x1b[31m com controle\r", "texto [31m com controle"},
        {"[a/b] não é contagem", "[a/b] não é contagem"},
        {"   ", ""},
        {"35150761024385000111550010000001011102030405\tregistrado\t135\t/n/k.xml\tEvento "
         "registrado",
         "35150761024385000111550010000001011102030405: registrada (135 Evento registrado)"},
        {"35150761024385000111550010000001011102030405\trecusado\t655\t\tRejeicao\x07",
         "35150761024385000111550010000001011102030405: recusada pelo serviço: 655 Rejeicao "},
        {"35150761024385000111550010000001011102030405\tsem-resposta\t0\t/n/e.xml\t",
         "35150761024385000111550010000001011102030405: enviada, mas o serviço não respondeu; "
         "pode ter sido registrada"},
    };
    for (const auto& [line, shown] : cases) {
        EXPECT_EQ(ProgressText(line), shown);
    }
    const auto registered = ReadManifestLine(
        "35150761024385000111550010000001011102030405\tja-registrado\t573\t\tDuplicidade\r");
    ASSERT_TRUE(registered);
    EXPECT_TRUE(registered->Registered());
    EXPECT_EQ(registered->reason, "Duplicidade");
    EXPECT_FALSE(ReadManifestLine("curta\tregistrado\t135\t\t"));
    EXPECT_FALSE(ReadManifestLine("35150761024385000111550010000001011102030405\tregistrado"));
    EXPECT_EQ(OutcomeText(0, false), "Concluído.");
    EXPECT_THAT(OutcomeText(3, false), HasSubstr("espera"));
    EXPECT_THAT(OutcomeText(1, false), HasSubstr("falhas"));
    EXPECT_THAT(OutcomeText(-1, false), HasSubstr("falhas"));
    EXPECT_THAT(OutcomeText(0, true), HasSubstr("Interrompido"));
}

TEST(CommandLineTest, TheCompanyMayBeTypedAsPrintedAndAnythingElseIsRefused) {
    EXPECT_EQ(ParseNotesArguments({"--empresa", "44.555.666/0001-81"}).company, "44555666000181");
    EXPECT_EQ(ParseNotesArguments({"--empresa", "12.abc.345/01de-35"}).company, "12ABC34501DE35");
    EXPECT_TRUE(ParseNotesArguments({"--help"}).help);
    EXPECT_TRUE(ParseNotesArguments({"--version"}).version);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--empresa", "44.555.666/0001-82"},
          std::vector<std::string>{"--empresa"}, std::vector<std::string>{"notas"}}) {
        EXPECT_FALSE(ParseNotesArguments(wrong).error.empty()) << wrong.back();
    }
}

// A company on a token has a run of its own, its PIN asked first; the kept passwords go together.
TEST(SynchroniseRunsTest, EachCompanyOnATokenRunsAloneWithItsPin) {
    catalog::Company a1;
    a1.cnpj = "44555666000181";
    a1.certificate = "/certificados/a1.pfx";
    catalog::Company otherA1 = a1;
    otherA1.cnpj = "61024385000111";
    catalog::Company token;
    token.cnpj = "12ABC34501DE35";
    token.holder = "EMPRESA DO TOKEN";
    token.certificate = "pkcs11:token=EMPRESA;id=%01";
    catalog::Company tokenWithFile = token;
    tokenWithFile.cnpj = "08765432000103";
    tokenWithFile.passwordFile = "/seguro/pin";
    EXPECT_TRUE(AsksForPin(token));
    EXPECT_FALSE(AsksForPin(tokenWithFile));
    EXPECT_EQ(PinQuestion(token),
              "PIN do token do certificado de EMPRESA DO TOKEN (CNPJ 12.ABC.345/01DE-35):");

    const auto cnpjsOf = [](const std::vector<SynchroniseRun>& runs) {
        std::vector<std::pair<std::vector<std::string>, std::string>> shown;
        for (const SynchroniseRun& run : runs) {
            shown.emplace_back(run.cnpjs, run.pinOf ? run.pinOf->cnpj : "");
        }
        return shown;
    };
    using Shown = std::vector<std::pair<std::vector<std::string>, std::string>>;
    EXPECT_EQ(cnpjsOf(SynchroniseRuns({a1, otherA1, tokenWithFile}, "")), (Shown{{{}, ""}}));
    EXPECT_EQ(
        cnpjsOf(SynchroniseRuns({a1, token, otherA1, tokenWithFile}, "")),
        (Shown{{{a1.cnpj, otherA1.cnpj, tokenWithFile.cnpj}, ""}, {{token.cnpj}, token.cnpj}}));
    EXPECT_EQ(cnpjsOf(SynchroniseRuns({token}, "")), (Shown{{{token.cnpj}, token.cnpj}}));
    EXPECT_EQ(cnpjsOf(SynchroniseRuns({a1, token}, token.cnpj)),
              (Shown{{{token.cnpj}, token.cnpj}}));
    EXPECT_EQ(cnpjsOf(SynchroniseRuns({a1, token}, a1.cnpj)), (Shown{{{a1.cnpj}, ""}}));
}

}  // namespace
}  // namespace inbox
