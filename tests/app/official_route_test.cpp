#include "app/official_route.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "dfe/certificate.h"
#include "dfe/service_address.h"
#include "dfe/usage_record.h"
#include "nfe/access_key.h"
#include "tests/dfe/support/fake_clock.h"
#include "tests/dfe/support/served_distribution.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/dfe/support/test_token.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using ::testing::HasSubstr;

const std::string kKey = "35150761024385000111550010000001011102030405";
const std::string kSummaryKey = "35160361024385000111550010000001091901020309";

dfe::ReceivedDocument Document(dfe::DocumentKind kind, const std::string& xml) {
    dfe::ReceivedDocument document;
    document.kind = kind;
    document.key = kKey;
    document.xml = xml;
    return document;
}

TEST(OfficialRouteAnswer, OnlyTheSignedInvoiceIsWrittenAndEverythingElseSaysWhy) {
    using Kind = dfe::DocumentKind;
    const std::string invoice = "<nfeProc versao=\"4.00\">\r\n\xC3\xA9</nfeProc>";
    const dfe::Time until = dfe::Time(std::chrono::hours(500'000));
    struct Case {
        const char* name;
        dfe::KeyAnswer answer;
        std::string reason;  // empty when the file is written
    };
    const Case cases[] = {
        {"invoice with its events",
         {138,
          "Documento localizado",
          {Document(Kind::event, "<e/>"), Document(Kind::invoice, invoice)},
          {}},
         ""},
        {"summary only",
         {138, "Documento localizado", {Document(Kind::invoiceSummary, "<resNFe/>")}, {}},
         "Só o resumo da NF-e: falta a Ciência da Operação do destinatário."},
        {"events only",
         {138, "Documento localizado", {Document(Kind::event, "<e/>")}, {}},
         "O serviço não trouxe a NF-e."},
        {"not a party, with a line break in the reason",
         {640, "Rejeicao: CNPJ/CPF do interessado\nnao possui permissao", {}, {}},
         "Recusada pelo serviço: 640 Rejeicao: CNPJ/CPF do interessado nao possui permissao"},
        {"told to wait", {656, "Rejeicao: Consumo Indevido", {}, dfe::Hold{until, "uso"}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::TemporaryDirectory dir;
        const auto result = ResultOfAnswer(c.answer, kKey, dir.path());
        if (c.answer.cStat == 656) {
            EXPECT_FALSE(result.file);
            EXPECT_THAT(result.reason, HasSubstr("Consultas suspensas até "));
            EXPECT_THAT(result.reason, HasSubstr(": 656 Rejeicao: Consumo Indevido"));
        } else if (c.reason.empty()) {
            ASSERT_TRUE(result.file);
            EXPECT_EQ(*result.file, dir / (kKey + "-nfe.xml"));
            EXPECT_EQ(ReadFile(*result.file), invoice);
        } else {
            EXPECT_FALSE(result.file);
            EXPECT_EQ(result.reason, c.reason);
        }
        if (!result.file) {
            EXPECT_TRUE(fs::is_empty(dir.path()));
        }
    }
}

// A valid access key that the sample service does not hold.
std::string UnknownKey() {
    const std::string first43 = "3516056102438500011155001000000999114151617";
    return first43 + std::to_string(nfe::KeyCheckDigit(first43).digit);
}

class OfficialRouteTest : public ::testing::Test {
protected:
    RouteRequest Request(const std::string& key) {
        const auto& certificates = test_support::SharedTestCertificates();
        RouteRequest request;
        request.key = key;
        request.certificate = certificates.files.a1;
        request.password = std::make_shared<const dfe::Secret>(certificates.password);
        request.outputFolder = output_.path();
        request.service.otherUrl = service_.Url();
        request.service.extraAuthorities = {certificates.files.authority};
        request.service.dataFolder = data_.path();
        return request;
    }

    test_support::ServedDistribution service_;
    test_support::TemporaryDirectory output_;
    test_support::TemporaryDirectory data_;
    test_support::FakeClock clock_{std::chrono::system_clock::now()};
};

TEST_F(OfficialRouteTest, AKeyOfThePartyGivesItsSignedInvoice) {
    const auto result = AskOfficialRoute(Request(kKey), clock_);
    ASSERT_TRUE(result.file) << result.reason;
    EXPECT_EQ(*result.file, output_ / (kKey + "-nfe.xml"));
    const auto xml = ReadFile(*result.file);
    EXPECT_THAT(xml, HasSubstr("<nfeProc"));
    EXPECT_THAT(xml, HasSubstr("Id=\"NFe" + kKey + "\""));
    // The request counts for the limits of use, kept in the data folder given.
    EXPECT_FALSE(fs::is_empty(data_.path() / "dfe"));
    // And the invoice is recorded in the catalogue there, for the recipient.
    const auto invoices = catalog::Catalog(data_ / "vellora.sqlite").Invoices({});
    ASSERT_EQ(invoices.size(), 1u);
    EXPECT_EQ(invoices[0].key, kKey);
    EXPECT_EQ(invoices[0].company, "44555666000181");
    EXPECT_EQ(invoices[0].file, *result.file);
}

TEST_F(OfficialRouteTest, WhatTheServiceCannotDeliverComesBackAsOneLine) {
    struct Case {
        const char* name;
        std::function<void(RouteRequest&)> change;
        std::string reasonPart;
    };
    const Case cases[] = {
        {"summary only", [](RouteRequest& r) { r.key = kSummaryKey; }, "Só o resumo"},
        {"unknown key", [](RouteRequest& r) { r.key = UnknownKey(); },
         "Recusada pelo serviço: 217"},
        {"wrong password",
         [](RouteRequest& r) { r.password = std::make_shared<const dfe::Secret>("errada"); },
         "senha"},
        {"server not trusted", [](RouteRequest& r) { r.service.extraAuthorities.clear(); }, ""},
        {"no service", [](RouteRequest& r) { r.service.otherUrl = "https://127.0.0.1:1/x"; }, ""},
        {"not https", [](RouteRequest& r) { r.service.otherUrl = "http://127.0.0.1:1/x"; }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto request = Request(kKey);
        c.change(request);
        const auto result = AskOfficialRoute(request, clock_);
        EXPECT_FALSE(result.file);
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(result.reason.find('\n'), std::string::npos);
        EXPECT_THAT(result.reason, HasSubstr(c.reasonPart));
        EXPECT_TRUE(fs::is_empty(output_.path()));
    }
}

TEST_F(OfficialRouteTest, TheCienciaOfferedForASummaryTurnsItIntoTheSignedInvoice) {
    const auto first = AskOfficialRoute(Request(kSummaryKey), clock_);
    EXPECT_FALSE(first.file);
    // The offer says whose legal act it would be.
    EXPECT_THAT(first.cienciaMeaning, HasSubstr("em nome de "));
    EXPECT_THAT(first.cienciaMeaning, HasSubstr("CNPJ 44.555.666/0001-81"));

    auto request = Request(kSummaryKey);
    request.registerCiencia = true;
    const auto accepted = AskOfficialRoute(request, clock_);
    ASSERT_TRUE(accepted.file) << accepted.reason;
    EXPECT_EQ(*accepted.file, output_ / (kSummaryKey + "-nfe.xml"));
    EXPECT_THAT(ReadFile(*accepted.file), HasSubstr("<nfeProc"));
    EXPECT_TRUE(accepted.cienciaMeaning.empty());
    // The registered event is kept beside the invoice.
    EXPECT_THAT(ReadFile(output_ / (kSummaryKey + "-210210-01-procEventoNFe.xml")),
                HasSubstr("<procEventoNFe"));
}

// The same with the certificate's key on a token: the token signs the event and the TLS
// handshake.
TEST_F(OfficialRouteTest, AnA3OnATokenRegistersTheCienciaAndGetsTheSignedInvoice) {
    const auto& token = test_support::SharedTestToken();
    auto request = Request(kSummaryKey);
    request.certificate = token.uri;
    request.service.pkcs11Module = token.module;
    request.password = std::make_shared<const dfe::Secret>(token.pin);
    request.registerCiencia = true;
    const auto accepted = AskOfficialRoute(request, clock_);
    ASSERT_TRUE(accepted.file) << accepted.reason;
    EXPECT_THAT(ReadFile(*accepted.file), HasSubstr("<nfeProc"));
    EXPECT_THAT(ReadFile(output_ / (kSummaryKey + "-210210-01-procEventoNFe.xml")),
                HasSubstr("<procEventoNFe"));
}

TEST_F(OfficialRouteTest, ACienciaRefusedSaysWhyAndAsksNothingMore) {
    auto request = Request(UnknownKey());
    request.registerCiencia = true;
    const auto result = AskOfficialRoute(request, clock_);
    EXPECT_FALSE(result.file);
    EXPECT_THAT(result.reason, HasSubstr("O serviço recusou a Ciência da Operação: "));
    EXPECT_TRUE(fs::is_empty(output_.path()));
}

TEST_F(OfficialRouteTest, AnotherRunForTheSameCnpjGivesWayToThePortal) {
    const dfe::Party holder = dfe::CompanyCertificate::ReadFile(
                                  test_support::SharedTestCertificates().files.a1,
                                  dfe::Secret(test_support::SharedTestCertificates().password))
                                  .party();
    const dfe::UsageRecord held(
        data_.path(), dfe::DistributionService(dfe::Environment::production, service_.Url()).name,
        holder, clock_);
    const auto result = AskOfficialRoute(Request(kKey), clock_);
    EXPECT_FALSE(result.file);
    EXPECT_THAT(result.reason, HasSubstr("Outra consulta ao serviço para o mesmo CNPJ"));
    EXPECT_TRUE(service_.Log().empty());
}

TEST_F(OfficialRouteTest, ASlowServiceGivesWayToThePortal) {
    test_support::ServedDistribution slow(
        {.fault = sample::DistributionFault::slow, .slowDelay = std::chrono::seconds(30)});
    auto request = Request(kKey);
    request.service.otherUrl = slow.Url();
    request.service.timeout = std::chrono::seconds(1);
    const auto result = AskOfficialRoute(request, clock_);
    EXPECT_FALSE(result.file);
    EXPECT_THAT(result.reason, HasSubstr("não respondeu a tempo (1 segundo)"));
    EXPECT_TRUE(fs::is_empty(output_.path()));
}

TEST_F(OfficialRouteTest, AClosedWindowStopsTheRouteAndNothingIsWritten) {
    test_support::ServedDistribution slow(
        {.fault = sample::DistributionFault::slow, .slowDelay = std::chrono::seconds(30)});
    auto request = Request(kKey);
    request.service.otherUrl = slow.Url();
    request.stop = std::make_shared<const std::atomic<bool>>(true);
    const auto result = AskOfficialRoute(request, clock_);
    EXPECT_FALSE(result.file);
    // Abandoned at once, not after the 30 seconds of the service's time limit.
    EXPECT_THAT(result.reason, HasSubstr("interrompida"));
    EXPECT_TRUE(fs::is_empty(output_.path()));
}

}  // namespace
}  // namespace app
