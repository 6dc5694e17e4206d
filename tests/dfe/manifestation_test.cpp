#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <openssl/x509.h>

#include "dfe/error.h"
#include "dfe/event_request.h"
#include "dfe/manifestation.h"
#include "dfe/manifestation_event.h"
#include "dfe/manifestation_registration.h"
#include "dfe/xml_document.h"
#include "dfe/xml_signature.h"
#include "tests/dfe/support/fake_clock.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/temporary_directory.h"

namespace dfe {
namespace {

using test_support::SharedTestCertificates;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kKey = "35160361024385000111550010000001091901020309";
// 2027-01-15 12:00:00 UTC.
const Time kMoment{std::chrono::seconds(1'800'014'400)};
const std::string kJustification = "Mercadoria devolvida na portaria, sem entrada física";

const CompanyCertificate& Certificate() {
    static const CompanyCertificate a1 = CompanyCertificate::ReadFile(
        SharedTestCertificates().files.a1, SharedTestCertificates().Password());
    return a1;
}

TEST(ManifestationEvent, EachTypeHasItsCodeDescriptionAndOnlyNaoRealizadaAJustification) {
    struct Case {
        Manifestation manifestation;
        std::string option;
        std::string detail;  // what follows the fixed fields, up to the signature
    };
    const Case cases[] = {
        {Manifestation::ciencia, "ciencia",
         "<tpEvento>210210</tpEvento><nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento>"
         "<detEvento versao=\"1.00\"><descEvento>Ciencia da Operacao</descEvento></detEvento>"},
        {Manifestation::confirmation, "confirmacao",
         "<tpEvento>210200</tpEvento><nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento>"
         "<detEvento versao=\"1.00\"><descEvento>Confirmacao da Operacao</descEvento>"
         "</detEvento>"},
        {Manifestation::notRecognised, "desconhecimento",
         "<tpEvento>210220</tpEvento><nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento>"
         "<detEvento versao=\"1.00\"><descEvento>Desconhecimento da Operacao</descEvento>"
         "</detEvento>"},
        {Manifestation::notPerformed, "nao-realizada",
         "<tpEvento>210240</tpEvento><nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento>"
         "<detEvento versao=\"1.00\"><descEvento>Operacao nao Realizada</descEvento>"
         "<xJust>Mercadoria devolvida na portaria, sem entrada física</xJust></detEvento>"},
    };
    for (const Case& c : cases) {
        const std::string type(FactsOf(c.manifestation).eventType);
        EXPECT_EQ(ManifestationNamed(c.option), c.manifestation);
        EXPECT_EQ(ManifestationOfEventType(type), c.manifestation);
        // The justification is written for 210240 only, whatever the caller gives.
        const std::string event =
            SignedManifestationEvent({c.manifestation, Environment::homologation,
                                      Certificate().party(), kKey, kMoment, kJustification},
                                     Certificate());
        const std::string id = "ID" + type + kKey + "01";
        EXPECT_EQ(ManifestationEventId(c.manifestation, kKey), id);
        EXPECT_EQ(event.substr(0, event.find("<Signature ")),
                  "<evento xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\"><infEvento "
                  "Id=\"" +
                      id +
                      "\"><cOrgao>91</cOrgao><tpAmb>2</tpAmb><CNPJ>44555666000181</CNPJ>"
                      "<chNFe>" +
                      kKey + "</chNFe><dhEvento>2027-01-15T09:00:00-03:00</dhEvento>" + c.detail +
                      "</infEvento>");
        const XmlDocument parsed = XmlDocument::Parse(event, "O evento");
        EXPECT_TRUE(
            VerifyEnveloped(parsed.Root()->children, X509_get0_pubkey(Certificate().certificate())))
            << c.option;
        EXPECT_EQ(ManifestationFileName(c.manifestation, kKey),
                  std::string(kKey) + "-" + type + "-01-procEventoNFe.xml");
        EXPECT_EQ(UnansweredEventFileName(c.manifestation, kKey),
                  std::string(kKey) + "-" + type + "-01-evento.xml");
    }
    EXPECT_EQ(ManifestationNamed("nao realizada"), std::nullopt);
    EXPECT_EQ(ManifestationOfEventType("110111"), std::nullopt);
    EXPECT_EQ(ManifestationOptions(), "ciencia|confirmacao|desconhecimento|nao-realizada");
}

TEST(ManifestationEvent, AJustificationHoldsFifteenTo255LatinCharactersOnOneLine) {
    const std::string accented = "ação";  // four characters, six bytes
    struct Case {
        std::string text;
        std::string expected;  // empty when refused
        std::string message = {};
    };
    const Case cases[] = {
        {std::string(15, 'x'), std::string(15, 'x')},
        {"  \t" + std::string(15, 'x') + " \n", std::string(15, 'x')},
        {std::string(14, 'x'), "", "de 15 a 255 caracteres; tem 14"},
        {"   " + std::string(14, 'x') + "   ", "", "tem 14"},
        {std::string(255, 'y'), std::string(255, 'y')},
        {std::string(256, 'y'), "", "tem 256"},
        // Characters, not bytes: 63 × 4 + 3 = 255 characters in 381 bytes.
        {[&] {
             std::string text;
             for (int i = 0; i < 63; ++i)
                 text += accented;
             return text + "abc";
         }(),
         "*"},
        {"mercadoria\nnão recebida", "", "em uma linha"},
        {"mercadoria não recebida 😀", "", "Latin-1"},
        {"mercadoria n\xE3o recebida", "", "UTF-8"},
    };
    for (const Case& c : cases) {
        if (c.expected.empty()) {
            try {
                CheckedJustification(c.text);
                ADD_FAILURE() << c.text;
            } catch (const Error& error) {
                EXPECT_THAT(error.what(), HasSubstr(c.message)) << c.text;
            }
        } else {
            EXPECT_EQ(CheckedJustification(c.text), c.expected == "*" ? c.text : c.expected);
        }
    }
}

// Answers every event of a batch with 135, and keeps how many events each batch held.
class RegisteringTransport : public Transport {
public:
    HttpAnswer Post(const std::string&, std::string_view body, std::string_view) override {
        const std::string text(body);
        constexpr std::string_view kOpen = "<chNFe>";
        std::string results;
        int count = 0;
        for (auto at = text.find(kOpen); at != std::string::npos;
             at = text.find(kOpen, at + 1), ++count) {
            results +=
                "<retEvento versao=\"1.00\"><infEvento><cStat>135</cStat><xMotivo>Evento "
                "registrado e vinculado a NF-e</xMotivo><chNFe>" +
                text.substr(at + kOpen.size(), 44) +
                "</chNFe><tpEvento>210240</tpEvento><nProt>891260000000001</nProt>"
                "</infEvento></retEvento>";
        }
        batches.push_back(count);
        justifications += static_cast<int>(text.find("<xJust>") != std::string::npos);
        return {200, "application/soap+xml; charset=utf-8",
                "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\">"
                "<soap:Body><nfeRecepcaoEventoNFResult xmlns=\"http://www.portalfiscal.inf.br/"
                "nfe/wsdl/NFeRecepcaoEvento4\"><retEnvEvento versao=\"1.00\" xmlns=\"http://"
                "www.portalfiscal.inf.br/nfe\"><cStat>128</cStat><xMotivo>Lote de evento "
                "processado</xMotivo>" +
                    results +
                    "</retEnvEvento></nfeRecepcaoEventoNFResult></soap:Body>"
                    "</soap:Envelope>"};
    }
    std::vector<int> batches;
    int justifications = 0;
};

TEST(RegisterManifestation, TwentyOneKeysGoInABatchOfTwentyAndOneOfOne) {
    std::vector<std::string> keys;
    for (int i = 0; i < 21; ++i) {
        const std::string number = std::to_string(100 + i);
        keys.push_back(std::string(kKey).substr(0, 41) + number);
    }
    RegisteringTransport transport;
    EventClient client(transport, EventService(Environment::production));
    const test_support::FakeClock clock;
    const test_support::TemporaryDirectory data;
    UsageRecord record(data.path(), "producao", Certificate().party(), clock);
    std::vector<ManifestationOutcome> outcomes;
    RegisterManifestation(client, Certificate(), Environment::production, clock, record,
                          {Manifestation::notPerformed, kJustification}, keys,
                          [&](const ManifestationOutcome& o) { outcomes.push_back(o); });

    EXPECT_THAT(transport.batches, ElementsAre(20, 1));
    EXPECT_EQ(transport.justifications, 2);
    ASSERT_EQ(outcomes.size(), 21u);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(outcomes[i].key, keys[i]);
        EXPECT_EQ(outcomes[i].kind, ManifestationOutcome::Kind::registered);
        EXPECT_THAT(outcomes[i].processedEvent,
                    HasSubstr("<tpEvento>210240</tpEvento><nSeqEvento>1</nSeqEvento>"));
    }
}

}  // namespace
}  // namespace dfe
