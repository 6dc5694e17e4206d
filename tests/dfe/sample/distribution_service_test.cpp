#include "sample/dfe/distribution_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "dfe/distribution_answer.h"
#include "dfe/error.h"
#include "dfe/received_document.h"
#include "nfe/access_key.h"

namespace sample {
namespace {

using ::testing::HasSubstr;

const dfe::Party kRecipient{dfe::Party::Kind::cnpj, "44555666000181"};
const dfe::Party kCarrier{dfe::Party::Kind::cnpj, "77888999000181"};
constexpr const char* kTransportKey = "35160261024385000111550010000001081809010202";
constexpr const char* kImportKey = "33151045321789000110550020000003041405060709";
const std::string kWithoutCiencia = kKeysWithoutCiencia[0];

dfe::DistributionAnswer Ask(DistributionService& service, dfe::DistributionQuery query,
                            const dfe::Party& party = kRecipient,
                            const std::optional<dfe::Party>& client = kRecipient,
                            dfe::Environment environment = dfe::Environment::production) {
    const ServiceReply reply = service.Answer(
        dfe::DistributionEnvelope({environment, 35, party, std::move(query)}), client);
    EXPECT_EQ(reply.status, 200);
    return dfe::ParseDistributionAnswer(reply.body);
}

std::vector<dfe::ReceivedDocument> Documents(const dfe::DistributionAnswer& answer) {
    std::vector<dfe::ReceivedDocument> documents;
    for (const dfe::DocZip& zip : answer.documents) {
        documents.push_back(dfe::ReadReceivedDocument(zip));
    }
    return documents;
}

TEST(DistributionService, GivesEachPartyItsOwnSequenceOfDocuments) {
    DistributionService service(SampleDistributedInvoices(), {});
    const dfe::DistributionAnswer all = Ask(service, dfe::DistNsu{0});
    EXPECT_EQ(all.cStat, 138);
    EXPECT_EQ(all.lastNsu, 15u);
    EXPECT_EQ(all.maxNsu, 15u);
    std::multiset<dfe::DocumentKind> kinds;
    std::uint64_t nsu = 0;
    for (const dfe::ReceivedDocument& document : Documents(all)) {
        EXPECT_EQ(document.nsu, ++nsu);
        EXPECT_TRUE(nfe::IsValidAccessKey(document.key));
        EXPECT_NE(document.key, kImportKey);  // its recipient is abroad
        kinds.insert(document.kind);
    }
    EXPECT_EQ(kinds.count(dfe::DocumentKind::invoice), 11u);
    EXPECT_EQ(kinds.count(dfe::DocumentKind::invoiceSummary), 3u);
    EXPECT_EQ(kinds.count(dfe::DocumentKind::event), 1u);

    // The carrier gets the invoice it carries, in full: only a recipient manifests.
    const dfe::DistributionAnswer carried = Ask(service, dfe::DistNsu{0}, kCarrier, kCarrier);
    ASSERT_EQ(carried.documents.size(), 1u);
    EXPECT_EQ(Documents(carried)[0].FileName(), std::string(kTransportKey) + "-procNFe.xml");

    EXPECT_EQ(Ask(service, dfe::DistNsu{15}).cStat, 137);
    EXPECT_EQ(Ask(service, dfe::DistNsu{16}).cStat, 589);
    const dfe::DistributionAnswer one = Ask(service, dfe::ConsNsu{2});
    ASSERT_EQ(one.documents.size(), 1u);
    EXPECT_EQ(one.documents[0].nsu, 2u);
}

TEST(DistributionService, TheCienciaTurnsTheSummaryIntoTheInvoice) {
    DistributionService service(SampleDistributedInvoices(), {.batchSize = 4});
    EXPECT_EQ(Ask(service, dfe::DistNsu{0}).documents.size(), 4u);
    EXPECT_EQ(Ask(service, dfe::DistNsu{0}).lastNsu, 4u);

    const auto kindOf = [&] {
        return Documents(Ask(service, dfe::ConsChNFe{kWithoutCiencia})).at(0).kind;
    };
    EXPECT_EQ(kindOf(), dfe::DocumentKind::invoiceSummary);
    service.RegisterCiencia(kWithoutCiencia);
    EXPECT_EQ(kindOf(), dfe::DocumentKind::invoice);

    const dfe::DistributionAnswer added = Ask(service, dfe::DistNsu{15});
    EXPECT_EQ(added.maxNsu, 16u);
    ASSERT_EQ(added.documents.size(), 1u);
    EXPECT_EQ(Documents(added)[0].FileName(), kWithoutCiencia + "-procNFe.xml");
    EXPECT_THROW(service.RegisterCiencia(std::string(44, '1')), std::invalid_argument);
}

TEST(DistributionService, RefusesAsTheServiceDoes) {
    DistributionService service(SampleDistributedInvoices(), {});
    const dfe::Party branch{dfe::Party::Kind::cnpj, "44555666000262"};
    const dfe::Party other{dfe::Party::Kind::cnpj, "12345678000195"};
    std::string wrongDigit = kTransportKey;
    wrongDigit.back() = '3';
    struct Case {
        dfe::DistributionQuery query;
        dfe::Party party;
        std::optional<dfe::Party> client;
        dfe::Environment environment;
        int cStat;
    };
    const auto production = dfe::Environment::production;
    const Case cases[] = {
        {dfe::ConsChNFe{kImportKey}, kRecipient, kRecipient, production, 640},
        {dfe::ConsChNFe{"35150761024385000111550010000009991102030404"}, kRecipient, kRecipient,
         production, 217},
        {dfe::ConsChNFe{wrongDigit}, kRecipient, kRecipient, production, 236},
        {dfe::DistNsu{0}, other, kRecipient, production, 593},
        {dfe::DistNsu{0}, kRecipient, std::nullopt, production, 593},
        {dfe::DistNsu{0}, kRecipient, kRecipient, dfe::Environment::homologation, 252},
        // A branch of the certificate's company may ask for itself, and has nothing.
        {dfe::DistNsu{0}, branch, kRecipient, production, 137},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Ask(service, c.query, c.party, c.client, c.environment).cStat, c.cStat);
    }

    EXPECT_THAT(Ask(service, dfe::DistNsu{0}, other, kRecipient).xMotivo,
                HasSubstr("CNPJ-Base consultado difere"));
    const ServiceReply garbage = service.Answer("not xml", kRecipient);
    EXPECT_EQ(garbage.status, 500);
    EXPECT_THROW(dfe::ParseDistributionAnswer(garbage.body), dfe::AnswerError);
}

TEST(DistributionService, MisbehavesOnPurposeInEachFaultMode) {
    DistributionService excessive(SampleDistributedInvoices(),
                                  {.fault = DistributionFault::excessiveUse, .burst = 2});
    EXPECT_EQ(Ask(excessive, dfe::DistNsu{0}).cStat, 138);
    EXPECT_EQ(Ask(excessive, dfe::DistNsu{0}).cStat, 138);
    EXPECT_EQ(Ask(excessive, dfe::DistNsu{0}).cStat, 656);
    EXPECT_EQ(Ask(excessive, dfe::DistNsu{0}, kCarrier, kCarrier).cStat, 138);
    EXPECT_EQ(excessive.RequestCount(), 4u);

    DistributionService nothing(SampleDistributedInvoices(),
                                {.fault = DistributionFault::nothingFound});
    EXPECT_EQ(Ask(nothing, dfe::DistNsu{0}).cStat, 137);

    DistributionService broken(SampleDistributedInvoices(),
                               {.fault = DistributionFault::brokenGzip});
    const dfe::DistributionAnswer answer = Ask(broken, dfe::ConsNsu{1});
    ASSERT_EQ(answer.documents.size(), 1u);
    EXPECT_THROW(dfe::ReadReceivedDocument(answer.documents[0]), dfe::AnswerError);

    DistributionService html(SampleDistributedInvoices(), {.fault = DistributionFault::htmlError});
    const ServiceReply page = html.Answer("", kRecipient);
    EXPECT_EQ(page.status, 503);
    EXPECT_THAT(page.contentType, HasSubstr("text/html"));

    DistributionService slow(SampleDistributedInvoices(), {.fault = DistributionFault::slow,
                                                           .slowDelay = std::chrono::seconds(7)});
    EXPECT_EQ(slow.Answer(dfe::DistributionEnvelope(
                              {dfe::Environment::production, {}, kRecipient, dfe::DistNsu{0}}),
                          kRecipient)
                  .delay,
              std::chrono::seconds(7));
}

}  // namespace
}  // namespace sample
