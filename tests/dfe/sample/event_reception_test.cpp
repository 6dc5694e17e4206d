#include "sample/dfe/event_reception.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include "dfe/certificate.h"
#include "dfe/ciencia_event.h"
#include "dfe/event_answer.h"
#include "dfe/event_request.h"
#include "dfe/manifestation_event.h"
#include "sample/dfe/distributed_invoices.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/file_contents.h"

namespace sample {
namespace {

using test_support::SharedTestCertificates;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::string kWithoutCiencia = kKeysWithoutCiencia[0];
const std::string kOtherWithoutCiencia = kKeysWithoutCiencia[1];
constexpr const char* kWithCiencia = "35150761024385000111550010000001011102030405";
constexpr const char* kCancelled = "35160561024385000111550010000001121141516176";
constexpr const char* kUnknown = "35150761024385000111550010000009991102030404";

const dfe::A1Certificate& Company() {
    static const dfe::A1Certificate a1 = dfe::A1Certificate::ReadFile(
        SharedTestCertificates().files.a1, SharedTestCertificates().Password());
    return a1;
}

std::string Event(const std::string& key,
                  dfe::Environment environment = dfe::Environment::production) {
    return dfe::SignedCienciaEvent(
        {environment, Company().party(), key, std::chrono::system_clock::now()}, Company());
}

std::string Manifest(dfe::Manifestation manifestation, const std::string& key,
                     const std::string& justification = {}) {
    return dfe::SignedManifestationEvent(
        {manifestation, dfe::Environment::production, Company().party(), key,
         std::chrono::system_clock::now(), justification},
        Company());
}

class EventReceptionTest : public ::testing::Test {
protected:
    // The statuses of the batch and of each of its events.
    std::vector<int> Send(const std::vector<std::string>& events,
                          const std::optional<dfe::Party>& client = Company().party(),
                          EVP_PKEY* key = X509_get0_pubkey(Company().certificate())) {
        const ServiceReply reply = reception_.Answer(dfe::EventEnvelope(7, events), client, key);
        EXPECT_EQ(reply.status, 200);
        const dfe::EventBatchAnswer answer = dfe::ParseEventAnswer(reply.body);
        std::vector<int> statuses{answer.cStat};
        for (const dfe::EventResult& event : answer.events) {
            statuses.push_back(event.cStat);
        }
        return statuses;
    }
    bool Registered(const std::string& key) { return service_.StandingOf(key)->cienciaRegistered; }

    DistributionService service_{SampleDistributedInvoices(), {}};
    EventReception reception_{service_};
};

TEST_F(EventReceptionTest, RegistersASignedCienciaOnceAndRefusesTheRest) {
    EXPECT_THAT(Send({Event(kWithoutCiencia), Event(kWithoutCiencia), Event(kWithCiencia),
                      Event(kCancelled), Event(kUnknown)}),
                ElementsAre(128, 135, 573, 573, 650, 217));
    EXPECT_TRUE(Registered(kWithoutCiencia));

    // Each its own event: a batch too large, or of another environment.
    EXPECT_THAT(Send(std::vector<std::string>(21, Event(kOtherWithoutCiencia))), ElementsAre(215));
    EXPECT_THAT(Send({Event(kOtherWithoutCiencia, dfe::Environment::homologation)}),
                ElementsAre(128, 252));
    EXPECT_THAT(
        Send({Event(kOtherWithoutCiencia)}, dfe::Party{dfe::Party::Kind::cnpj, "11222333000181"}),
        ElementsAre(128, 213));
    EXPECT_FALSE(Registered(kOtherWithoutCiencia));
}

TEST_F(EventReceptionTest, RefusesAnEventThatItsClientsKeyDidNotSign) {
    std::string tampered = Event(kOtherWithoutCiencia);
    const std::size_t moment = tampered.find("<dhEvento>") + 10;
    tampered[moment + 3] = tampered[moment + 3] == '1' ? '2' : '1';  // another year
    std::string renamed = Event(kOtherWithoutCiencia);
    renamed.replace(renamed.find("Ciencia da Operacao"), 19, "Ciencia da operacao");

    const std::string server = test_support::ReadFile(SharedTestCertificates().files.server);
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(
        BIO_new_mem_buf(server.data(), static_cast<int>(server.size())), BIO_free);
    std::unique_ptr<X509, decltype(&X509_free)> other(
        PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr), X509_free);
    ASSERT_TRUE(other);

    EXPECT_THAT(Send({tampered}), ElementsAre(128, 297));
    EXPECT_THAT(Send({renamed}), ElementsAre(128, 215));
    EXPECT_THAT(
        Send({Event(kOtherWithoutCiencia)}, Company().party(), X509_get0_pubkey(other.get())),
        ElementsAre(128, 297));
    EXPECT_THAT(Send({Event(kOtherWithoutCiencia)}, Company().party(), nullptr),
                ElementsAre(128, 297));
    EXPECT_FALSE(Registered(kOtherWithoutCiencia));
    EXPECT_THAT(Send({Event(kOtherWithoutCiencia)}), ElementsAreArray({128, 135}));
}

TEST_F(EventReceptionTest, FollowsTheRulesOfTheRecipientsManifestations) {
    using dfe::Manifestation;
    const std::string reason = "Mercadoria recusada na entrega";
    std::string confirmationWithReason =
        Manifest(Manifestation::confirmation, kOtherWithoutCiencia);
    confirmationWithReason.insert(confirmationWithReason.find("</detEvento>"),
                                  "<xJust>" + reason + "</xJust>");
    struct Step {
        std::string event;
        int cStat;
        std::string what;
    };
    const Step steps[] = {
        {Manifest(Manifestation::notRecognised, kWithoutCiencia), 135, "desconhecimento"},
        {Manifest(Manifestation::notRecognised, kWithoutCiencia), 573, "the same again"},
        {Manifest(Manifestation::ciencia, kWithoutCiencia), 655, "ciência after a final one"},
        {Manifest(Manifestation::confirmation, kWithoutCiencia), 135, "another final one"},
        {Manifest(Manifestation::notPerformed, kOtherWithoutCiencia, "curta demais"), 215,
         "a justification of 12 characters"},
        {Manifest(Manifestation::notPerformed, kOtherWithoutCiencia), 215, "no justification"},
        {confirmationWithReason, 215, "a justification where none belongs"},
        {Manifest(Manifestation::ciencia, kOtherWithoutCiencia), 135, "ciência first"},
        {Manifest(Manifestation::notPerformed, kOtherWithoutCiencia, reason), 135,
         "then a final one"},
        {Manifest(Manifestation::ciencia, kOtherWithoutCiencia), 655, "ciência after it"},
        {Manifest(Manifestation::notRecognised, kCancelled), 651, "desconhecimento, cancelled"},
        {Manifest(Manifestation::confirmation, kCancelled), 135, "confirmação, cancelled"},
        {Manifest(Manifestation::confirmation, kUnknown), 217, "a key the service lacks"},
    };
    for (const Step& step : steps) {
        EXPECT_THAT(Send({step.event}), ElementsAre(128, step.cStat)) << step.what;
    }

    // The full invoice comes after a Ciência or a Confirmação, not after the other two.
    const std::string third = kKeysWithoutCiencia[2];
    EXPECT_THAT(Send({Manifest(Manifestation::notPerformed, third, reason)}),
                ElementsAre(128, 135));
    EXPECT_FALSE(Registered(third));
    EXPECT_TRUE(Registered(kWithoutCiencia));
}

}  // namespace
}  // namespace sample
