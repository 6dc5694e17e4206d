#include "dfe/ciencia_registration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dfe/ciencia_event.h"
#include "dfe/error.h"
#include "dfe/event_request.h"
#include "tests/dfe/support/fake_clock.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace dfe {
namespace {

using test_support::SharedTestCertificates;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The keys of the answer in the fixture, and one that it leaves out.
const std::vector<std::string> kKeys = {
    "35160361024385000111550010000001091901020309", "41160408765432000103550010000002101112131415",
    "35160561024385000111550010000001121141516176", "35150761024385000111550010000001011102030405",
    "41150808765432000103550010000002021203040502"};

// Gives every request the same answer, and keeps the requests.
class FakeTransport : public Transport {
public:
    explicit FakeTransport(HttpAnswer answer) : answer_(std::move(answer)) {}
    HttpAnswer Post(const std::string& url, std::string_view body,
                    std::string_view contentType) override {
        urls.push_back(url);
        bodies.emplace_back(body);
        contentTypes.emplace_back(contentType);
        return answer_;
    }
    std::vector<std::string> urls, bodies, contentTypes;

private:
    HttpAnswer answer_;
};

// text as the service's answer, under the operation's result element.
std::string InBody(const std::string& text) {
    return "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>"
           "<nfeRecepcaoEventoNFResult xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
           "NFeRecepcaoEvento4\">" +
           text + "</nfeRecepcaoEventoNFResult></soap:Body></soap:Envelope>";
}

HttpAnswer Soap(std::string body) {
    return {200, "application/soap+xml; charset=utf-8", std::move(body)};
}

const A1Certificate& Company() {
    static const A1Certificate a1 = A1Certificate::ReadFile(SharedTestCertificates().files.a1,
                                                            SharedTestCertificates().Password());
    return a1;
}

std::vector<CienciaOutcome> Register(FakeTransport& transport, const std::vector<std::string>& keys,
                                     UsageRecord& record, const Clock& clock) {
    EventClient client(transport, EventService(Environment::production));
    std::vector<CienciaOutcome> outcomes;
    RegisterCiencia(client, Company(), Environment::production, clock, record, keys,
                    [&](const CienciaOutcome& outcome) { outcomes.push_back(outcome); });
    return outcomes;
}

std::vector<CienciaOutcome> Register(FakeTransport& transport,
                                     const std::vector<std::string>& keys) {
    const test_support::TemporaryDirectory data;
    const test_support::FakeClock clock;
    UsageRecord record(data.path(), "producao", Company().party(), clock);
    return Register(transport, keys, record, clock);
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(RegisterCiencia, ReportsEachEventAsTheServiceAnsweredIt) {
    FakeTransport transport(
        Soap(test_support::ReadFile(test_support::FixturePath("dfe", "event_answer_128.xml"))));
    const std::vector<CienciaOutcome> outcomes = Register(transport, kKeys);

    using Kind = CienciaOutcome::Kind;
    struct Expected {
        Kind kind;
        int cStat;
        std::string reason;
    };
    const Expected expected[] = {
        {Kind::registered, 135, "Evento registrado e vinculado a NF-e"},
        {Kind::alreadyRegistered, 573, "Rejeicao: Duplicidade de evento"},
        {Kind::refused, 650, "Rejeicao: Evento de \"Ciencia da Operacao\" para NF-e Cancelada"},
        {Kind::refused, 596, "Rejeicao: Evento apresentado apos o prazo permitido"},
        {Kind::refused, 0, "o serviço não respondeu sobre esta chave"},
    };
    ASSERT_EQ(outcomes.size(), kKeys.size());
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        EXPECT_EQ(outcomes[i].key, kKeys[i]);
        EXPECT_EQ(outcomes[i].kind, expected[i].kind) << kKeys[i];
        EXPECT_EQ(outcomes[i].cStat, expected[i].cStat) << kKeys[i];
        EXPECT_THAT(outcomes[i].xMotivo, HasSubstr(expected[i].reason));
        EXPECT_EQ(outcomes[i].processedEvent.empty(), i != 0);
    }

    // One request to the event service, its events as signed, nothing between the tags.
    ASSERT_EQ(transport.bodies.size(), 1u);
    const std::string& request = transport.bodies.front();
    EXPECT_EQ(transport.urls.front(),
              "https://www.nfe.fazenda.gov.br/NFeRecepcaoEvento4/NFeRecepcaoEvento4.asmx");
    EXPECT_THAT(transport.contentTypes.front(),
                HasSubstr("action=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeRecepcaoEvento4/"
                          "nfeRecepcaoEventoNF\""));
    EXPECT_THAT(request, HasSubstr("<soap12:Body><nfeDadosMsg xmlns=\"http://www.portalfiscal.inf."
                                   "br/nfe/wsdl/NFeRecepcaoEvento4\"><envEvento xmlns=\"http://"
                                   "www.portalfiscal.inf.br/nfe\" versao=\"1.00\"><idLote>"));
    EXPECT_EQ(request.find_first_of("\n\r\t"), std::string::npos);
    EXPECT_EQ(request.find("> "), std::string::npos);
    EXPECT_EQ(request.find(" <"), std::string::npos);
    EXPECT_EQ(Count(request, "<evento "), 5u);

    // procEventoNFe: the event exactly as sent, then the service's retEvento.
    const std::string& processed = outcomes[0].processedEvent;
    const std::size_t start = request.find("<evento ");
    const std::string sent = request.substr(start, request.find("</evento>") + 9 - start);
    EXPECT_EQ(processed.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?><procEventoNFe "
                             "xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\">" +
                             sent +
                             "<retEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\" "
                             "versao=\"1.00\">"),
              0u)
        << processed;
    EXPECT_THAT(processed, HasSubstr("<nProt>891260000012345</nProt></infEvento></retEvento>"
                                     "</procEventoNFe>"));
}

// A batch refused as a whole with cStat.
HttpAnswer BatchRefused(int cStat) {
    return Soap(
        "<?xml version=\"1.0\"?><soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/"
        "soap-envelope\"><soap:Body><nfeResultMsg xmlns=\"http://www.portalfiscal.inf.br/nfe/"
        "wsdl/NFeRecepcaoEvento4\"><retEnvEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\" "
        "versao=\"1.00\"><cStat>" +
        std::to_string(cStat) +
        "</cStat><xMotivo>Rejeicao: motivo</xMotivo></retEnvEvento></nfeResultMsg></soap:Body>"
        "</soap:Envelope>");
}

// One event answered with cStat.
HttpAnswer EventRefused(const std::string& key, int cStat) {
    return Soap(
        InBody("<retEnvEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\">"
               "<cStat>128</cStat><xMotivo>Lote de evento processado</xMotivo><retEvento "
               "versao=\"1.00\"><infEvento><cStat>" +
               std::to_string(cStat) + "</cStat><xMotivo>Rejeicao: motivo</xMotivo><chNFe>" + key +
               "</chNFe></infEvento></retEvento></retEnvEvento>"));
}

TEST(RegisterCiencia, A656HoldsTheEventsOfTheBaseForAnHourInThisRunAndTheNext) {
    const test_support::TemporaryDirectory data;
    test_support::FakeClock clock;
    std::vector<std::string> keys;
    for (int i = 0; i < 25; ++i) {
        keys.push_back(kKeys[static_cast<std::size_t>(i) % kKeys.size()]);
    }
    for (const HttpAnswer& answer : {BatchRefused(656), EventRefused(kKeys[0], 656)}) {
        FakeTransport transport(answer);
        {
            UsageRecord record(data.path(), "producao", Company().party(), clock);
            EXPECT_THROW(Register(transport, keys, record, clock), UseLimitReached);
            EXPECT_EQ(transport.bodies.size(), 1u);  // the second batch waits
        }
        clock.Advance(std::chrono::minutes(59));
        UsageRecord record(data.path(), "producao", Company().party(), clock);
        try {
            Register(transport, {kKeys[1]}, record, clock);
            ADD_FAILURE() << "an event left during the hold";
        } catch (const UseLimitReached& hold) {
            EXPECT_THAT(hold.what(), HasSubstr("O serviço de eventos bloqueou os eventos deste "
                                               "CNPJ por consumo indevido (656)"));
        }
        EXPECT_EQ(transport.bodies.size(), 1u);
        clock.Advance(std::chrono::minutes(1));
    }
}

TEST(RegisterCiencia, AFinalRefusalIsKeptAndNotSentAgain) {
    for (const int cStat : {596, 650, 655, 573, 217}) {
        const test_support::TemporaryDirectory data;
        const test_support::FakeClock clock;
        const bool final = cStat != 573 && cStat != 217;
        {
            FakeTransport transport(EventRefused(kKeys[0], cStat));
            UsageRecord record(data.path(), "producao", Company().party(), clock);
            Register(transport, {kKeys[0]}, record, clock);
        }
        FakeTransport transport(EventRefused(kKeys[0], cStat));
        UsageRecord record(data.path(), "producao", Company().party(), clock);
        const std::vector<CienciaOutcome> again = Register(transport, {kKeys[0]}, record, clock);
        ASSERT_EQ(again.size(), 1u);
        EXPECT_EQ(again[0].kind == CienciaOutcome::Kind::refusedBefore, final) << cStat;
        EXPECT_EQ(again[0].cStat, cStat);
        EXPECT_EQ(transport.bodies.size(), final ? 0u : 1u) << cStat;
    }
}

TEST(RegisterCiencia, ABatchRefusedAsAWholeRefusesEachKeyAndBatchesHoldTwentyEvents) {
    FakeTransport transport(BatchRefused(215));
    std::vector<std::string> keys;
    for (int i = 0; i < 25; ++i) {
        keys.push_back(kKeys[static_cast<std::size_t>(i) % kKeys.size()]);
    }
    const std::vector<CienciaOutcome> outcomes = Register(transport, keys);
    ASSERT_EQ(outcomes.size(), 25u);
    for (const CienciaOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.kind, CienciaOutcome::Kind::refused);
        EXPECT_EQ(outcome.cStat, 215);
        EXPECT_EQ(outcome.xMotivo, "Rejeicao: motivo");
    }
    ASSERT_EQ(transport.bodies.size(), 2u);
    EXPECT_EQ(Count(transport.bodies[0], "<evento "), 20u);
    EXPECT_EQ(Count(transport.bodies[1], "<evento "), 5u);
    EXPECT_NE(transport.bodies[0].substr(transport.bodies[0].find("<idLote>"), 30),
              transport.bodies[1].substr(transport.bodies[1].find("<idLote>"), 30));
}

TEST(RegisterCiencia, WhatIsNotTheServicesAnswerIsAnError) {
    struct Case {
        HttpAnswer answer;
        std::string message;
    };
    const Case cases[] = {
        {{500, "application/soap+xml",
          "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>"
          "<soap:Fault><soap:Reason><soap:Text>Server was unable to process request."
          "</soap:Text></soap:Reason></soap:Fault></soap:Body></soap:Envelope>"},
         "falha SOAP: Server was unable to process request."},
        {{503, "text/html", "<html><body>Service Unavailable</body></html>"},
         "página de erro (HTTP 503, text/html)"},
        {Soap("<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"/>"),
         "não traz o retorno do lote (retEnvEvento)"},
        {Soap(InBody("<retEnvEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\"><cStat>128"
                     "</cStat><retEvento><infEvento><cStat>x</cStat></infEvento></retEvento>"
                     "</retEnvEvento>")),
         "sem código de situação"},
        // A copy in a SOAP header, or straight in the body, is not the answer.
        {Soap("<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\">"
              "<soap:Header><nfeResultMsg xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
              "NFeRecepcaoEvento4\"><retEnvEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
              "<cStat>128</cStat></retEnvEvento></nfeResultMsg></soap:Header><soap:Body/>"
              "</soap:Envelope>"),
         "não traz o retorno do lote (retEnvEvento)"},
        {Soap("<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>"
              "<retEnvEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\"><cStat>128</cStat>"
              "</retEnvEvento></soap:Body></soap:Envelope>"),
         "não traz o retorno do lote (retEnvEvento)"},
        {Soap("não é XML"), "não é um XML válido"},
    };
    for (const Case& c : cases) {
        FakeTransport transport(c.answer);
        try {
            Register(transport, {kKeys[0]});
            ADD_FAILURE() << c.message;
        } catch (const AnswerError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message));
        }
    }
}

}  // namespace
}  // namespace dfe
