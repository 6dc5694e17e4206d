// vellora-dfe end to end, in this process: the command against the sample distribution
// service over HTTPS with mutual TLS, with a clock that the tests move.

#include "tools/dfe/dfe_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "sample/dfe/distributed_invoices.h"
#include "tests/dfe/support/fake_clock.h"
#include "tests/dfe/support/served_distribution.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace tools {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using sample::DistributionFault;
using test_support::ServedDistribution;
using test_support::SharedTestCertificates;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Keys of the sample service: with the recipient's Ciência, without it, and one it does not
// hold.
constexpr const char* kWithCiencia = "35150761024385000111550010000001011102030405";
constexpr const char* kOtherWithCiencia = "41150808765432000103550010000002021203040502";
constexpr const char* kCancelled = "35160561024385000111550010000001121141516176";
const char* const kWithoutCiencia = sample::kKeysWithoutCiencia[0];
constexpr const char* kUnknown = "35150761024385000111550010000009991102030404";
// Issued by 12.ABC.345/01DE-35 and carried by K7.M2Q.X9L/0001-74, who holds a sample A1 too.
const char* const kAlphanumeric = sample::kKeysWithoutCiencia[2];

std::string InvoiceXml(const std::string& key) {
    for (const sample::DistributedInvoice& invoice : sample::SampleDistributedInvoices()) {
        if (invoice.key == key) {
            return invoice.xml();
        }
    }
    return {};
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class DfeCommandTest : public ::testing::Test {
protected:
    DfeCommandTest() {
        variables_["XDG_DATA_HOME"] = (folder_ / "data").string();
        variables_["HOME"] = folder_.path().string();
        variables_["VELLORA_CERT_PASSWORD"] = SharedTestCertificates().password;
    }

    void Serve(sample::ServiceSettings settings = {}) {
        settings.clock = &clock_;
        served_ = std::make_unique<ServedDistribution>(settings);
        variables_["VELLORA_DFE_URL"] = served_->Url();
    }

    // Runs the command with the sample A1, trusting the sample authority, into notas/.
    Outcome Dfe(const std::string& command, std::vector<std::string> more = {}) {
        std::vector<std::string> arguments = {command};
        if (command != "certificado") {
            arguments.insert(arguments.end(), {"-o", Notes().string(), "--certificado",
                                               SharedTestCertificates().files.a1.string(), "--ca",
                                               SharedTestCertificates().files.authority.string()});
        }
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunExactly(arguments);
    }

    Outcome RunExactly(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        DfeContext context{
            out,
            err,
            [this](const char* name) -> const char* {
                const auto found = variables_.find(name);
                return found == variables_.end() ? nullptr : found->second.c_str();
            },
            clock_,
            [](const std::string&) { return std::nullopt; },
            1s,
            timeout_,
        };
        context.confirmation = confirmation_;
        const int status = RunDfeCommand(arguments, context);
        return {status, out.str(), err.str()};
    }

    fs::path Notes() const { return folder_ / "notas"; }
    std::string Written(const std::string& name) const {
        return test_support::ReadFile(Notes() / name);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        if (fs::exists(Notes())) {
            for (const auto& entry : fs::directory_iterator(Notes())) {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::size_t Requests() { return served_->service().RequestCount(); }

    test_support::TemporaryDirectory folder_;
    // The certificates are made first and the clock starts after them, within their validity.
    const test_support::TestCertificates& certificates_ = SharedTestCertificates();
    test_support::FakeClock clock_{std::chrono::system_clock::now()};
    std::map<std::string, std::string> variables_;
    std::chrono::seconds timeout_{20};
    // No terminal, unless a test gives one.
    Confirmation confirmation_;
    std::unique_ptr<ServedDistribution> served_;
};

TEST_F(DfeCommandTest, AKeyBringsTheSignedInvoiceByteForByte) {
    Serve();
    const Outcome run = Dfe("chave", {kWithCiencia});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string file = std::string(kWithCiencia) + "-procNFe.xml";
    EXPECT_EQ(run.out, (Notes() / file).string() + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Written(file), InvoiceXml(kWithCiencia));

    // The legacy file serves the same, and a cancelled invoice comes with its cancellation.
    Outcome legacy = RunExactly({"chave", "-o", Notes().string(), "--certificado",
                                 SharedTestCertificates().files.legacyA1.string(), "--ca",
                                 SharedTestCertificates().files.authority.string(), kCancelled});
    EXPECT_EQ(legacy.status, 0) << legacy.err;
    EXPECT_THAT(Files(), ElementsAre(std::string(kWithCiencia) + "-procNFe.xml",
                                     std::string(kCancelled) + "-110111-01-procEventoNFe.xml",
                                     std::string(kCancelled) + "-procNFe.xml"));
}

TEST_F(DfeCommandTest, ASummaryOnlySaysThatTheCienciaIsNeeded) {
    Serve();
    const Outcome summary = Dfe("chave", {kWithoutCiencia});
    EXPECT_EQ(summary.status, 1);
    EXPECT_EQ(summary.out,
              (Notes() / (std::string(kWithoutCiencia) + "-resNFe.xml")).string() + "\n");
    EXPECT_THAT(summary.err, HasSubstr("só veio o resumo (resNFe)"));
    EXPECT_THAT(summary.err, HasSubstr("Ciência da Operação"));
    EXPECT_THAT(Written(std::string(kWithoutCiencia) + "-resNFe.xml"),
                HasSubstr("<chNFe>" + std::string(kWithoutCiencia) + "</chNFe>"));

    served_->service().RegisterCiencia(kWithoutCiencia);
    const Outcome full = Dfe("chave", {kWithoutCiencia});
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_EQ(Written(std::string(kWithoutCiencia) + "-procNFe.xml"), InvoiceXml(kWithoutCiencia));
}

TEST_F(DfeCommandTest, WithCienciaASummaryBecomesTheFullInvoiceInOneRun) {
    Serve();
    const Outcome run = Dfe("chave", {"--ciencia", "--sim", kWithoutCiencia, kWithCiencia});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string summary = std::string(kWithoutCiencia) + "-resNFe.xml";
    const std::string event = std::string(kWithoutCiencia) + "-210210-01-procEventoNFe.xml";
    const std::string full = std::string(kWithoutCiencia) + "-procNFe.xml";
    EXPECT_THAT(Files(),
                ElementsAre(std::string(kWithCiencia) + "-procNFe.xml", event, full, summary));
    EXPECT_EQ(Written(full), InvoiceXml(kWithoutCiencia));
    EXPECT_EQ(Requests(), 3u);
    EXPECT_THAT(run.err, HasSubstr("é um ato da empresa perante o fisco"));
    EXPECT_THAT(run.err, HasSubstr("INDUSTRIA BETA DE MAQUINAS S.A. (CNPJ 44.555.666/0001-81)"));
    EXPECT_THAT(run.err, HasSubstr(std::string(kWithoutCiencia) +
                                   ": Ciência da Operação registrada (135 Evento registrado e "
                                   "vinculado a NF-e).\n"));
    EXPECT_THAT(run.err, HasSubstr("2 de 2 chaves com a NF-e completa"));
    EXPECT_THAT(run.out, HasSubstr((Notes() / event).string() + "\n"));

    // The event as signed, with the service's answer to it.
    const std::string processed = Written(event);
    EXPECT_THAT(processed, HasSubstr("<procEventoNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" "
                                     "versao=\"1.00\"><evento "));
    EXPECT_THAT(processed,
                HasSubstr("<chNFe>" + std::string(kWithoutCiencia) + "</chNFe><dhEvento>"));
    EXPECT_THAT(processed, HasSubstr("</Signature></evento><retEvento "
                                     "xmlns=\"http://www.portalfiscal.inf.br/nfe\" "
                                     "versao=\"1.00\"><infEvento>"));
    EXPECT_THAT(processed, HasSubstr("<cStat>135</cStat>"));
}

TEST_F(DfeCommandTest, KeysAndCertificatesWithLettersInTheCnpj) {
    Serve();
    const std::string key = kAlphanumeric;
    const std::string typed = "3526 0912ab c345 01de 3555 0010 0000 1234 1123 4567 88";
    const Outcome summary = Dfe("chave", {typed});
    EXPECT_EQ(summary.status, 1) << summary.err;
    EXPECT_THAT(summary.err, HasSubstr(key + ": só veio o resumo"));
    EXPECT_THAT(Files(), ElementsAre(key + "-resNFe.xml"));

    const Outcome ciencia = Dfe("ciencia", {"--sim", typed});
    EXPECT_EQ(ciencia.status, 0) << ciencia.err;
    const std::string event = Written(key + "-210210-01-procEventoNFe.xml");
    EXPECT_THAT(event, HasSubstr("Id=\"ID210210" + key + "01\""));
    EXPECT_THAT(event, HasSubstr("<chNFe>" + key + "</chNFe>"));
    const Outcome full = Dfe("chave", {key});
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_EQ(Written(key + "-procNFe.xml"), InvoiceXml(key));
    EXPECT_THAT(Written(key + "-procNFe.xml"), HasSubstr("<CNPJ>12ABC34501DE35</CNPJ>"));

    // The carrier asks with its own certificate, whose CNPJ holds letters.
    fs::remove_all(Notes());
    const std::string carrier = SharedTestCertificates().files.alphanumericCarrierA1.string();
    const Outcome shown = RunExactly({"certificado", carrier});
    EXPECT_THAT(shown.out, HasSubstr("Titular: TRANSPORTES ZETA LTDA\nCNPJ: K7.M2Q.X9L/0001-74\n"));
    const Outcome news = RunExactly({"novos", "-o", Notes().string(), "--certificado", carrier,
                                     "--ca", SharedTestCertificates().files.authority.string()});
    EXPECT_EQ(news.status, 0) << news.err;
    EXPECT_THAT(Files(), ElementsAre(key + "-procNFe.xml"));
    EXPECT_THAT(news.err, HasSubstr("1 documento novo"));
    // Its usage is kept under the first eight characters of its CNPJ.
    bool recorded = false;
    for (const auto& entry : fs::directory_iterator(folder_ / "data" / "vellora" / "dfe")) {
        recorded = recorded || entry.path().filename().string().ends_with("-K7M2QX9L.txt");
    }
    EXPECT_TRUE(recorded);
}

TEST_F(DfeCommandTest, AFullInvoiceThatIsLateAfterTheCienciaIsExplained) {
    Serve({.fault = DistributionFault::lateInvoice});
    const Outcome run = Dfe("chave", {"--ciencia", "--sim", kWithoutCiencia});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr(std::string(kWithoutCiencia) +
                                   ": a Ciência da Operação está registrada, mas o serviço ainda "
                                   "entregou só o resumo (resNFe): no serviço real, a NF-e "
                                   "completa pode levar algum tempo para ficar disponível"));
    EXPECT_EQ(Requests(), 2u);
    EXPECT_THAT(Files(), ElementsAre(std::string(kWithoutCiencia) + "-210210-01-procEventoNFe.xml",
                                     std::string(kWithoutCiencia) + "-resNFe.xml"));
}

TEST_F(DfeCommandTest, ACienciaSentWithoutAnAnswerIsNotCalledUnregistered) {
    // The service registers the event and answers after the client gave up.
    Serve({.fault = DistributionFault::lateEventAnswer, .slowDelay = 3s});
    timeout_ = 1s;
    const Outcome lost = Dfe("ciencia", {"--sim", kWithoutCiencia});
    EXPECT_EQ(lost.status, 1);
    EXPECT_THAT(lost.err, HasSubstr(std::string(kWithoutCiencia) +
                                    ": Ciência da Operação não confirmada: o evento foi enviado, "
                                    "mas o serviço não respondeu; ela pode ter sido registrada."));
    EXPECT_THAT(lost.err, Not(HasSubstr("não registrada")));
    const std::string kept = std::string(kWithoutCiencia) + "-210210-01-evento.xml";
    EXPECT_THAT(Files(), ElementsAre(kept));
    EXPECT_THAT(Written(kept), HasSubstr("<chNFe>" + std::string(kWithoutCiencia) + "</chNFe>"));

    timeout_ = 20s;
    const Outcome again = Dfe("ciencia", {"--sim", kWithoutCiencia});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_THAT(again.err, HasSubstr("a Ciência da Operação já estava registrada (573"));
}

TEST_F(DfeCommandTest, AnEventHoldOrAFinalRefusalSendsNothingAgain) {
    Serve({.fault = DistributionFault::excessiveUse, .burst = 1});
    const Outcome refused = Dfe("ciencia", {"--sim", kCancelled});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr(": o serviço recusou a Ciência da Operação: 650"));
    const Outcome again = Dfe("ciencia", {"--sim", kCancelled});
    EXPECT_EQ(again.status, 1);
    EXPECT_THAT(again.err, HasSubstr(std::string(kCancelled) +
                                     ": a Ciência da Operação não foi enviada: o serviço já a "
                                     "recusou numa execução anterior (650)"));
    EXPECT_EQ(served_->Log().size(), 1u);

    // The second batch of the base gets 656: the events wait an hour, the distribution not.
    const Outcome excessive = Dfe("ciencia", {"--sim", kWithoutCiencia});
    EXPECT_EQ(excessive.status, 3);
    EXPECT_THAT(excessive.err, HasSubstr("o serviço recusou a Ciência da Operação: 656"));
    clock_.Advance(59min);
    const Outcome held = Dfe("ciencia", {"--sim", kWithoutCiencia});
    EXPECT_EQ(held.status, 3);
    EXPECT_THAT(held.err, HasSubstr("O serviço de eventos bloqueou os eventos deste CNPJ por "
                                    "consumo indevido (656)"));
    EXPECT_THAT(held.err,
                HasSubstr(std::string(kWithoutCiencia) + ": Ciência da Operação não registrada."));
    EXPECT_EQ(served_->Log().size(), 2u);
    clock_.Advance(1min);
    EXPECT_EQ(Dfe("ciencia", {"--sim", kWithoutCiencia}).status, 0);
}

TEST_F(DfeCommandTest, TheCienciaWaitsForAPersonsYes) {
    Serve();
    const Outcome noTerminal = Dfe("ciencia", {kWithoutCiencia});
    EXPECT_EQ(noTerminal.status, 2);
    EXPECT_THAT(noTerminal.err, HasSubstr("não há terminal. Nada foi enviado. Para confirmar na "
                                          "linha de comando, use --sim."));
    const Outcome noTerminalForKeys = Dfe("chave", {"--ciencia", kWithoutCiencia});
    EXPECT_EQ(noTerminalForKeys.status, 2);
    EXPECT_THAT(served_->Log(), IsEmpty());

    std::vector<std::string> questions;
    bool yes = false;
    confirmation_ = {[] { return true; },
                     [&](const std::string& question) {
                         questions.push_back(question);
                         return yes;
                     }};
    const Outcome declined = Dfe("ciencia", {kWithoutCiencia});
    EXPECT_EQ(declined.status, 1);
    EXPECT_THAT(declined.err, HasSubstr("A Ciência da Operação não foi registrada."));
    EXPECT_THAT(questions, ElementsAre("Registrar a Ciência da Operação de 1 NF-e em nome de "
                                       "INDUSTRIA BETA DE MAQUINAS S.A.? [s/N] "));
    EXPECT_THAT(served_->Log(), IsEmpty());
    EXPECT_THAT(Files(), IsEmpty());

    // Registered once; then a duplicate, which is fine; a cancelled invoice is refused.
    yes = true;
    const Outcome registered = Dfe("ciencia", {kWithoutCiencia});
    EXPECT_EQ(registered.status, 0) << registered.err;
    EXPECT_THAT(Files(),
                ElementsAre(std::string(kWithoutCiencia) + "-210210-01-procEventoNFe.xml"));
    const Outcome again = Dfe("ciencia", {kWithoutCiencia, kCancelled});
    EXPECT_EQ(again.status, 1);
    EXPECT_THAT(again.err, HasSubstr(std::string(kWithoutCiencia) +
                                     ": a Ciência da Operação já estava registrada (573 Rejeição: "
                                     "Duplicidade de evento).\n"));
    EXPECT_THAT(again.err, HasSubstr(std::string(kCancelled) +
                                     ": o serviço recusou a Ciência da Operação: 650 Rejeição: "
                                     "Evento de \"Ciência da Operação\" para NF-e Cancelada ou "
                                     "Denegada\n"));
    EXPECT_THAT(again.err, HasSubstr("1 de 2 chaves com a Ciência da Operação registrada"));
    EXPECT_EQ(Requests(), 0u);
}

TEST_F(DfeCommandTest, AListReportsEachKeyAndSendsNoInvalidOne) {
    Serve();
    test_support::WriteFile(folder_ / "chaves.txt", "# lista\n" + std::string(kUnknown) +
                                                        "\n\n3515076102438500011155001000000101"
                                                        "1102030406  # dígito errado\n");
    const Outcome run = Dfe("chave", {kWithCiencia, "--chaves", (folder_ / "chaves.txt").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Requests(), 2u);
    EXPECT_THAT(run.err, HasSubstr("35150761024385000111550010000001011102030406: Chave incorreta. "
                                   "Verifique a chave informada.\n"));
    EXPECT_THAT(run.err, HasSubstr("[1/2] " + std::string(kWithCiencia) + "\n[2/2] " + kUnknown));
    EXPECT_THAT(run.err, HasSubstr(std::string(kUnknown) +
                                   ": o serviço recusou a consulta: 217 "
                                   "Rejeição: NF-e não consta na base de dados da SEFAZ\n"));
    EXPECT_THAT(run.err, HasSubstr("1 de 2 chaves com a NF-e completa"));
    EXPECT_THAT(Files(), ElementsAre(std::string(kWithCiencia) + "-procNFe.xml"));
}

TEST_F(DfeCommandTest, NewDocumentsGoOnFromTheKeptNsuInTheNextRun) {
    Serve({.batchSize = 5});
    const Outcome first = Dfe("novos");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(Requests(), 3u);  // 15 documents, five at a time
    EXPECT_EQ(Files().size(), 15u);
    EXPECT_THAT(first.err, HasSubstr("15 documentos novos; último NSU 000000000000015."));
    EXPECT_THAT(first.err, HasSubstr("3 deles são resumos (resNFe)"));

    // The recipient's Ciência brings the full invoice under a new NSU.
    served_->service().RegisterCiencia(kWithoutCiencia);
    const Outcome tooSoon = Dfe("novos");
    EXPECT_EQ(tooSoon.status, 3);
    EXPECT_THAT(tooSoon.err, HasSubstr("Nada foi enviado; tente de novo a partir de"));
    EXPECT_EQ(Requests(), 3u);

    clock_.Advance(61min);
    fs::remove_all(Notes());
    const Outcome second = Dfe("novos");
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(Requests(), 4u);
    EXPECT_THAT(Files(), ElementsAre(std::string(kWithoutCiencia) + "-procNFe.xml"));
    EXPECT_EQ(Written(std::string(kWithoutCiencia) + "-procNFe.xml"), InvoiceXml(kWithoutCiencia));
    EXPECT_THAT(second.err, HasSubstr("1 documento novo; último NSU 000000000000016."));

    // Going back would get the CNPJ base held for an hour: the command refuses it.
    clock_.Advance(61min);
    fs::remove_all(Notes());
    const Outcome back = Dfe("novos", {"--desde-nsu", "10"});
    EXPECT_EQ(back.status, 1);
    EXPECT_THAT(back.err, HasSubstr("O serviço já respondeu até o NSU 000000000000016"));
    EXPECT_EQ(Requests(), 4u);
    EXPECT_THAT(Files(), IsEmpty());
}

TEST_F(DfeCommandTest, ABrokenDocumentIsKeptAsItCameAndAskedAgainWithoutGoingBack) {
    Serve({.fault = DistributionFault::brokenDocument});
    const Outcome first = Dfe("novos");
    EXPECT_EQ(first.status, 1) << first.err;
    EXPECT_EQ(Files().size(), 15u);  // 14 documents and the broken one as it came
    EXPECT_THAT(first.err, HasSubstr("O documento NSU 000000000000002"));
    EXPECT_THAT(first.err, HasSubstr("ficou guardado como veio"));
    EXPECT_THAT(first.err, HasSubstr("14 documentos novos; último NSU 000000000000015."));
    const std::string kept = Written("NSU-000000000000002.docZip.txt");
    EXPECT_THAT(kept, Not(IsEmpty()));
    EXPECT_THAT(first.out, Not(HasSubstr("docZip")));

    const Outcome pending = Dfe("novos", {"--pendentes"});
    EXPECT_EQ(pending.status, 0) << pending.err;
    EXPECT_EQ(pending.out, "000000000000002\n");
    EXPECT_EQ(Requests(), 1u);

    // An hour later the pending NSU is asked alone, comes whole, and the cursor stays at the
    // service's ultNSU: nothing is held.
    clock_.Advance(61min);
    const Outcome second = Dfe("novos");
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_THAT(second.err, HasSubstr("1 documento novo; último NSU 000000000000015."));
    EXPECT_THAT(served_->Log(), Contains(HasSubstr("consNSU 000000000000002")));
    EXPECT_THAT(served_->Log(), Not(Contains(HasSubstr("656"))));
    EXPECT_EQ(Dfe("novos", {"--pendentes"}).out, "");
}

TEST_F(DfeCommandTest, ExcessiveUseStopsTheListAndTheNextRunsUntilTheBlockEnds) {
    Serve({.fault = DistributionFault::excessiveUse, .burst = 1});
    const Outcome first = Dfe("chave", {kWithCiencia, kOtherWithCiencia, kCancelled});
    EXPECT_EQ(first.status, 3);
    EXPECT_EQ(Requests(), 2u);
    EXPECT_THAT(first.err,
                HasSubstr(std::string(kOtherWithCiencia) + ": o serviço respondeu 656 "
                                                           "Rejeição: Consumo Indevido."));
    EXPECT_THAT(first.err, HasSubstr("Nenhuma consulta será enviada antes de"));
    EXPECT_THAT(first.err, HasSubstr(std::string(kCancelled) + ": não consultada."));
    EXPECT_THAT(Files(), ElementsAre(std::string(kWithCiencia) + "-procNFe.xml"));

    // A request inside the block would start it again: none leaves, whatever the command.
    clock_.Advance(59min);
    for (const std::string command : {"chave", "novos"}) {
        const Outcome blocked = command == "chave" ? Dfe(command, {kCancelled}) : Dfe(command);
        EXPECT_EQ(blocked.status, 3);
        EXPECT_THAT(blocked.err, HasSubstr("consumo indevido (656)"));
    }
    EXPECT_EQ(Requests(), 2u);

    clock_.Advance(1min);
    Dfe("chave", {kCancelled});
    EXPECT_EQ(Requests(), 3u);
}

TEST_F(DfeCommandTest, A656OrAnEmptyBaseRightAfterNewDocumentsSuggestsAnotherSystem) {
    for (const DistributionFault fault :
         {DistributionFault::excessiveUse, DistributionFault::nothingFound}) {
        Serve({.fault = fault, .burst = 0});
        const Outcome run = Dfe("novos");
        EXPECT_THAT(run.err, HasSubstr("Outro sistema (um ERP, o sistema do contador) pode estar "
                                       "consultando os documentos deste CNPJ"));
        clock_.Advance(61min);
    }
    Serve();
    EXPECT_THAT(Dfe("novos").err, Not(HasSubstr("Outro sistema")));
}

TEST_F(DfeCommandTest, EachFaultOfTheServiceIsReportedAndLeavesNoFile) {
    struct Case {
        sample::ServiceSettings settings;
        std::string command;
        std::string message;
    };
    const Case cases[] = {
        {{.fault = DistributionFault::wrongCnpj},
         "chave",
         ": o serviço recusou a consulta: 593 Rejeição: CNPJ-Base consultado difere do "
         "CNPJ-Base do Certificado Digital"},
        {{.fault = DistributionFault::wrongCnpj},
         "novos",
         "O serviço recusou a consulta: 593 Rejeição: CNPJ-Base"},
        {{.fault = DistributionFault::nothingFound},
         "chave",
         ": o serviço recusou a consulta: 137 Nenhum documento localizado"},
        {{.fault = DistributionFault::refuseCertificate},
         "chave",
         "recusou o certificado digital na conexão segura"},
        {{.fault = DistributionFault::brokenGzip},
         "chave",
         "(procNFe_v3.10.xsd) não pôde ser aberto: o gzip do documento termina antes do fim "
         "(está cortado). Nenhum arquivo foi gravado."},
        {{.fault = DistributionFault::slow, .slowDelay = 30s},
         "chave",
         "não respondeu a tempo (1 segundo)."},
        {{.fault = DistributionFault::htmlError},
         "novos",
         "O serviço respondeu com uma página de erro (HTTP 503, text/html; charset=utf-8) em "
         "vez da resposta da distribuição."},
    };
    for (const Case& c : cases) {
        // Short only where the answer is meant to be late: a slow machine (sanitizers, a
        // shared runner) must not turn the other faults into timeouts.
        timeout_ = c.settings.fault == DistributionFault::slow ? 1s : 20s;
        Serve(c.settings);
        clock_.Advance(2h);
        const Outcome run = c.command == "chave" ? Dfe("chave", {kWithCiencia}) : Dfe("novos");
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_THAT(run.err, HasSubstr(c.message));
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(Files(), IsEmpty()) << c.message;
    }
}

TEST_F(DfeCommandTest, NothingIsSentWithAWrongPasswordOrAnUntrustedServer) {
    Serve();
    variables_["VELLORA_CERT_PASSWORD"] = "errada";
    const Outcome wrong = Dfe("chave", {kWithCiencia});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_THAT(wrong.err, HasSubstr("não pôde ser usado: A senha do certificado está incorreta."));

    variables_["VELLORA_CERT_PASSWORD"] = SharedTestCertificates().password;
    const Outcome untrusted =
        RunExactly({"chave", "-o", Notes().string(), "--certificado",
                    SharedTestCertificates().files.a1.string(), kWithCiencia});
    EXPECT_EQ(untrusted.status, 1);
    EXPECT_THAT(untrusted.err, HasSubstr("não passou na verificação, e a conexão foi recusada"));
    EXPECT_THAT(Files(), IsEmpty());
    EXPECT_EQ(Requests(), 0u);
    EXPECT_THAT(served_->Log(), IsEmpty());
}

TEST_F(DfeCommandTest, TheCertificateCommandShowsTheHolderAndItsValidity) {
    const Outcome shown = Dfe("certificado", {SharedTestCertificates().files.legacyA1.string()});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr("Titular: INDUSTRIA BETA DE MAQUINAS S.A.\n"
                                     "CNPJ: 44.555.666/0001-81\nEmissor: Vellora Sample CA\n"
                                     "Validade: de "));

    clock_.Advance(24h * 400);
    const Outcome expired = Dfe("certificado", {SharedTestCertificates().files.a1.string()});
    EXPECT_EQ(expired.status, 1);
    EXPECT_THAT(expired.err, HasSubstr("O certificado venceu em "));
    Serve();
    const Outcome refused = Dfe("chave", {kWithCiencia});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr("O certificado venceu em "));
    EXPECT_EQ(Requests(), 0u);

    const Outcome notPkcs12 =
        Dfe("certificado", {SharedTestCertificates().files.authority.string()});
    EXPECT_EQ(notPkcs12.status, 1);
    EXPECT_THAT(notPkcs12.err, HasSubstr("não está no formato PKCS#12"));
}

TEST_F(DfeCommandTest, AWrongCommandLineOrAMissingPasswordIsAUsageError) {
    const Outcome usage = RunExactly({"chave", "--certificado", "A1.pfx"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_THAT(usage.err, HasSubstr("nenhuma chave foi dada"));
    EXPECT_THAT(usage.err, HasSubstr("Use --help"));

    variables_.erase("VELLORA_CERT_PASSWORD");
    const Outcome noPassword = Dfe("certificado", {SharedTestCertificates().files.a1.string()});
    EXPECT_EQ(noPassword.status, 2);
    EXPECT_THAT(noPassword.err, HasSubstr("Falta a senha do certificado"));

    const Outcome help = RunExactly({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("Código de saída"));
}

}  // namespace
}  // namespace tools
