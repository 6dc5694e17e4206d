#include "dfe/distribution_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "nfe/access_key.h"
#include "sample/dfe/doc_zip_packing.h"
#include "tests/dfe/support/fake_clock.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace dfe {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const Party kCompany{Party::Kind::cnpj, "44555666000181"};

std::string KeyNumbered(int n) {
    // Valid keys that differ in their number; the check digit is worked out by nfe.
    std::string key = "3515076102438500011155001" + nfe::PadZeros(n, 9) + "110203040";
    return key + std::to_string(nfe::KeyCheckDigit(key).digit);
}

std::string Summary(int n) {
    return "<resNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><chNFe>" + KeyNumbered(n) +
           "</chNFe></resNFe>";
}

struct Doc {
    std::uint64_t nsu;
    std::string content;  // packed
};

std::string AnswerText(int cStat, std::uint64_t lastNsu, std::uint64_t maxNsu,
                       const std::vector<Doc>& documents = {}) {
    std::string text =
        "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>"
        "<nfeDistDFeInteresseResponse xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
        "NFeDistribuicaoDFe\"><nfeDistDFeInteresseResult>"
        "<retDistDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<cStat>" +
        std::to_string(cStat) +
        "</cStat><xMotivo>motivo</xMotivo>"
        "<ultNSU>" +
        NsuText(lastNsu) + "</ultNSU><maxNSU>" + NsuText(maxNsu) + "</maxNSU><loteDistDFeInt>";
    for (const Doc& document : documents) {
        text += "<docZip NSU=\"" + NsuText(document.nsu) + "\" schema=\"resNFe_v1.01.xsd\">" +
                document.content + "</docZip>";
    }
    return text +
           "</loteDistDFeInt></retDistDFeInt></nfeDistDFeInteresseResult>"
           "</nfeDistDFeInteresseResponse></soap:Body></soap:Envelope>";
}

Doc Good(std::uint64_t nsu) {
    return {nsu, sample::PackDocZip(Summary(static_cast<int>(nsu)))};
}

Doc Broken(std::uint64_t nsu) {
    return {nsu, sample::PackBrokenDocZip(Summary(static_cast<int>(nsu)) + std::string(500, ' '))};
}

// Answers with the texts it was given, one a request, and keeps what was asked.
class ScriptedTransport : public Transport {
public:
    std::deque<std::string> answers;
    std::vector<std::string> asked;  // the query of each request, e.g. "distNSU 12"

    HttpAnswer Post(const std::string&, std::string_view body, std::string_view) override {
        const XmlDocument request = XmlDocument::Parse(body, "O pedido");
        const xmlNode* message = FindElement(request.Root(), kNamespaceNFe, "distDFeInt");
        for (const char* kind : {"distNSU", "consNSU", "consChNFe"}) {
            if (const xmlNode* query = ChildElement(message, kNamespaceNFe, kind)) {
                asked.push_back(std::string(kind) + " " + TextOf(query));
            }
        }
        if (answers.empty()) {
            throw TransportError(TransportError::Kind::unreachable, "sem resposta");
        }
        HttpAnswer answer{200, "application/soap+xml", answers.front()};
        answers.pop_front();
        return answer;
    }
};

class DistributionSessionTest : public ::testing::Test {
protected:
    DistributionSession Session() {
        return DistributionSession(client_, record_, clock_,
                                   {Environment::production, 35, kCompany});
    }
    NewDocumentsOutcome FetchNew(std::optional<std::uint64_t> from = std::nullopt) {
        return Session().FetchNew(
            from,
            [this](const ReceivedDocument& document) {
                if (failAtNsu_ == document.nsu) {
                    throw std::runtime_error("disco cheio");
                }
                taken_.push_back(document.nsu);
            },
            [this](const DocZip& zip, const std::string&) { failed_.push_back(zip.nsu); });
    }

    test_support::TemporaryDirectory data_;
    test_support::FakeClock clock_;
    ScriptedTransport transport_;
    DistributionClient client_{transport_, {"https://service.test/", "test"}};
    UsageRecord record_{data_.path(), "test", kCompany, clock_};
    std::vector<std::uint64_t> taken_;
    std::vector<std::uint64_t> failed_;
    std::uint64_t failAtNsu_ = 0;
};

TEST_F(DistributionSessionTest, FollowsTheNsuAnswerAfterAnswerAndKeepsTheLast) {
    record_.SetLastNsu(100);
    transport_.answers = {AnswerText(138, 102, 104, {Good(102), Good(101)}),
                          AnswerText(138, 104, 104, {Good(103), Good(104)})};
    const NewDocumentsOutcome outcome = FetchNew();
    EXPECT_THAT(transport_.asked,
                ElementsAre("distNSU 000000000000100", "distNSU 000000000000102"));
    EXPECT_THAT(taken_, ElementsAre(101, 102, 103, 104));
    EXPECT_EQ(outcome.delivered, 4u);
    EXPECT_EQ(outcome.lastNsu, 104u);
    EXPECT_THAT(test_support::ReadFile(record_.path()),
                HasSubstr("\nlast-nsu 44555666000181 104\n"));

    // The end was reached: the next hour sends nothing.
    EXPECT_THROW(FetchNew(), UseLimitReached);
    EXPECT_EQ(transport_.asked.size(), 2u);
    clock_.Advance(1h);
    transport_.answers = {AnswerText(137, 104, 104)};
    EXPECT_EQ(FetchNew().cStat, 137);
    EXPECT_EQ(transport_.asked.back(), "distNSU 000000000000104");
}

TEST_F(DistributionSessionTest, AFailedDocumentStaysPendingAndTheNsuNeverGoesBack) {
    transport_.answers = {AnswerText(138, 5, 9, {Good(3), Broken(4), Good(5)}),
                          AnswerText(138, 9, 9, {Good(6), Good(9)})};
    failAtNsu_ = 6;
    const NewDocumentsOutcome first = FetchNew(0);
    EXPECT_THAT(taken_, ElementsAre(3, 5, 9));
    EXPECT_THAT(failed_, ElementsAre(4, 6));
    EXPECT_THAT(first.failed, ElementsAre(4, 6));
    EXPECT_EQ(record_.LastNsu(), 9u);
    EXPECT_EQ(record_.PendingNsus(), (std::vector<std::uint64_t>{4, 6}));
    EXPECT_THAT(transport_.asked,
                ElementsAre("distNSU 000000000000000", "distNSU 000000000000005"));

    // The next run asks the pending ones first, one by one; one comes whole, one does not.
    clock_.Advance(1h);
    taken_.clear();
    failed_.clear();
    failAtNsu_ = 0;
    transport_.answers = {AnswerText(138, 4, 9, {Good(4)}), AnswerText(138, 6, 9, {Broken(6)}),
                          AnswerText(137, 9, 9)};
    FetchNew();
    EXPECT_THAT(taken_, ElementsAre(4));
    EXPECT_THAT(failed_, ElementsAre(6));
    EXPECT_EQ(record_.PendingNsus(), std::vector<std::uint64_t>{6});
    EXPECT_THAT(transport_.asked, ElementsAre("distNSU 000000000000000", "distNSU 000000000000005",
                                              "consNSU 000000000000004", "consNSU 000000000000006",
                                              "distNSU 000000000000009"));
}

TEST_F(DistributionSessionTest, AStartBelowTheServicesLastNsuIsRefused) {
    EXPECT_EQ(record_.LastNsu(), std::nullopt);
    transport_.answers = {AnswerText(137, 20, 20)};
    EXPECT_EQ(FetchNew(12).lastNsu, 20u);  // no record yet: any start goes
    clock_.Advance(1h);
    try {
        FetchNew(19);
        ADD_FAILURE() << "a start below the last NSU went out";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("bloquear as consultas do CNPJ por uma hora (656)"));
    }
    EXPECT_EQ(transport_.asked.size(), 1u);
    transport_.answers = {AnswerText(137, 25, 25)};
    EXPECT_EQ(FetchNew(21).lastNsu, 25u);
}

TEST_F(DistributionSessionTest, StopsOnRefusalsAndOnAnswersThatDoNotMoveOn) {
    transport_.answers = {AnswerText(593, 0, 0)};
    NewDocumentsOutcome refused = FetchNew(7);
    EXPECT_EQ(refused.cStat, 593);
    EXPECT_EQ(refused.lastNsu, 7u);

    transport_.answers = {AnswerText(138, 7, 20)};
    EXPECT_THROW(FetchNew(), AnswerError);

    transport_.answers = {AnswerText(656, 0, 0)};
    const NewDocumentsOutcome blocked = FetchNew();
    ASSERT_TRUE(blocked.hold);
    EXPECT_EQ(blocked.hold->until, clock_.Now() + 1h);
    EXPECT_THROW(Session().ConsultKey(KeyNumbered(1)), UseLimitReached);
    EXPECT_EQ(transport_.asked.size(), 3u);
}

TEST_F(DistributionSessionTest, AKeyQueryUnpacksEverythingOrGivesNothing) {
    const std::string key = KeyNumbered(1);
    transport_.answers = {AnswerText(138, 0, 0, {Good(1)}),
                          AnswerText(138, 0, 0, {Good(1), Broken(2)}),
                          AnswerText(138, 0, 0, {Good(2)}), AnswerText(217, 0, 0)};
    const KeyAnswer answer = Session().ConsultKey(key);
    EXPECT_EQ(answer.cStat, 138);
    ASSERT_EQ(answer.documents.size(), 1u);
    EXPECT_EQ(answer.documents[0].xml, Summary(1));

    EXPECT_THROW(Session().ConsultKey(key), AnswerError);
    try {
        Session().ConsultKey(key);
        ADD_FAILURE() << "a document of another key was taken";
    } catch (const AnswerError& error) {
        EXPECT_THAT(error.what(), HasSubstr("com um documento da chave " + KeyNumbered(2)));
    }
    EXPECT_EQ(Session().ConsultKey(key).cStat, 217);
    EXPECT_THAT(transport_.asked, ElementsAre("consChNFe " + key, "consChNFe " + key,
                                              "consChNFe " + key, "consChNFe " + key));
}

TEST_F(DistributionSessionTest, KeyQueriesStopAtTwentyAnHour) {
    // A query that never reached the service does not count.
    EXPECT_THROW(Session().ConsultKey(KeyNumbered(99)), TransportError);
    for (int i = 0; i < 20; ++i) {
        transport_.answers.push_back(AnswerText(217, 0, 0));
        Session().ConsultKey(KeyNumbered(i));
        clock_.Advance(1min);
    }
    try {
        Session().ConsultKey(KeyNumbered(20));
        ADD_FAILURE() << "a twenty-first query went out";
    } catch (const UseLimitReached& limit) {
        EXPECT_EQ(limit.hold().until, clock_.Now() - 20min + 1h);
    }
    EXPECT_EQ(transport_.asked.size(), 21u);
}

}  // namespace
}  // namespace dfe
