#include "sample/portal/portal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "sample/portal/portal_addresses.h"
#include "sample/portal/portal_pages.h"

namespace sample {
namespace {

using testing::HasSubstr;
using testing::Not;

const std::string kKnownKey(44, '1');
const std::string kCancelledKey(44, '2');
const std::string kUnknownKey(44, '9');

SampleInvoice Invoice(const std::string& key, bool cancelled = false,
                      FaultMode fault = FaultMode::none) {
    SampleInvoice invoice{key, "Invoice " + key.substr(0, 1), "3.10", cancelled, fault, {}, {}};
    invoice.printPage = [key] { return "<html><body><p>Print page " + key + "</p></body></html>"; };
    invoice.xml = [key] { return "<nfeProc>" + key + "</nfeProc>"; };
    return invoice;
}

// The picture's Base64 text, found the way the program finds it: after the data-address
// marker and before the quote that closes the attribute, one blank and the next INPUT.
std::optional<std::string> CaptchaData(const std::string& page) {
    static const std::string kMarker = "data:image/png;base64,";
    const auto marker = page.find(kMarker);
    if (marker == std::string::npos) {
        return std::nullopt;
    }
    const auto start = marker + kMarker.size();
    const auto end = page.find("\"> <INPUT", start);
    if (end == std::string::npos) {
        return std::nullopt;
    }
    return page.substr(start, end - start);
}

// One visitor of the portal with its own session.
struct Visitor {
    explicit Visitor(Portal& portal) : portal(portal) {}

    PortalReply Get(std::string_view target) {
        return portal.Answer({"GET", std::string(target), {}}, session);
    }
    PortalReply Post(std::string_view target, std::multimap<std::string, std::string> fields) {
        return portal.Answer({"POST", std::string(target), std::move(fields)}, session);
    }
    // Loads the consultation page and submits key and captcha through its form.
    PortalReply Consult(const std::string& key, const std::string& captcha) {
        Get(kConsultationPage);
        return Submit(key, captcha);
    }
    PortalReply Submit(const std::string& key, const std::string& captcha) {
        return Post(kConsultationPage, {{std::string(kKeyField), key},
                                        {std::string(kCaptchaField), captcha},
                                        {std::string(kSubmitButton), "Continuar"}});
    }

    Portal& portal;
    Session session;
};

PortalSettings Settings(FaultMode fault = FaultMode::none,
                        std::chrono::seconds slowDelay = std::chrono::seconds(2)) {
    PortalSettings settings;
    settings.fault = fault;
    settings.slowDelay = slowDelay;
    return settings;
}

class PortalTest : public testing::Test {
protected:
    Portal& Start(PortalSettings settings = Settings()) {
        if (settings.testCaptcha.empty()) {
            settings.testCaptcha = "K7P4X";
        }
        std::vector<SampleInvoice> invoices = {Invoice(kKnownKey), Invoice(kCancelledKey, true)};
        for (const FaultModeInfo& info : FaultModes()) {
            invoices.push_back(Invoice(FaultKey(info.mode), false, info.mode));
        }
        portal_.emplace(Catalogue(std::move(invoices)), settings, 42);
        return *portal_;
    }

    static std::string FaultKey(FaultMode mode) {
        return "5" + std::string(42, '0') + std::to_string(static_cast<int>(mode));
    }

    std::optional<Portal> portal_;
};

TEST_F(PortalTest, ConsultationPageCarriesTheFormAndAnInlinePng) {
    Visitor visitor{Start()};
    const PortalReply reply = visitor.Get(kConsultationPage);

    EXPECT_EQ(reply.status, 200);
    for (std::string_view name : {kKeyField, kCaptchaField, kSubmitButton}) {
        EXPECT_THAT(reply.body, HasSubstr("name=\"" + std::string(name) + "\""));
    }
    for (std::string_view hidden : {"__VIEWSTATE", "__EVENTVALIDATION", "__EVENTTARGET"}) {
        EXPECT_THAT(reply.body, HasSubstr("type=\"hidden\" name=\"" + std::string(hidden)));
    }
    const auto data = CaptchaData(reply.body);
    ASSERT_TRUE(data);
    EXPECT_THAT(*data, testing::StartsWith("iVBORw0KGgo"));  // the PNG signature
    EXPECT_EQ(visitor.session.captchaAnswer, "K7P4X");
}

TEST(Portal, EveryConsultationPageDrawsANewCaptcha) {
    Portal portal(Catalogue({}), PortalSettings{}, 5);
    Visitor first{portal};
    Visitor second{portal};

    const auto firstPage = CaptchaData(first.Get(kConsultationPage).body);
    const std::string firstAnswer = first.session.captchaAnswer;
    const auto secondPage = CaptchaData(second.Get(kConsultationPage).body);
    EXPECT_NE(first.session.captchaAnswer, "");
    EXPECT_NE(firstAnswer, second.session.captchaAnswer);
    EXPECT_NE(firstPage, secondPage);
    first.Get(kConsultationPage);
    EXPECT_NE(first.session.captchaAnswer, firstAnswer);
}

TEST_F(PortalTest, SubmissionRedirectsByCaptchaAndKey) {
    struct Case {
        std::string key;
        std::string captcha;
        std::string_view location;
    };
    const Case cases[] = {
        {kKnownKey, "K7P4X", kResultPage},
        {kKnownKey, " k7p4x ", kResultPage},  // blanks and letter case do not matter
        {"1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111", "K7P4X", kResultPage},
        {kKnownKey, "K7P4", kWrongCaptchaReturn},
        {kKnownKey, "", kWrongCaptchaReturn},
        {kUnknownKey, "K7P4X", kNotFoundPage},
        {"", "K7P4X", kNotFoundPage},
    };
    Portal& portal = Start();
    for (const Case& c : cases) {
        Visitor visitor{portal};
        const PortalReply reply = visitor.Consult(c.key, c.captcha);
        EXPECT_EQ(reply.status, 302) << c.key << " " << c.captcha;
        EXPECT_EQ(reply.location, c.location) << c.key << " " << c.captcha;
    }
}

TEST_F(PortalTest, ACaptchaServesOneSubmissionOfItsOwnSession) {
    Portal& portal = Start();
    Visitor visitor{portal};
    EXPECT_EQ(visitor.Consult(kUnknownKey, "K7P4X").location, kNotFoundPage);
    EXPECT_EQ(visitor.Submit(kKnownKey, "K7P4X").location, kWrongCaptchaReturn);

    Visitor stranger{portal};  // a new session has not been shown this captcha
    EXPECT_EQ(stranger.Submit(kKnownKey, "K7P4X").location, kWrongCaptchaReturn);
}

TEST_F(PortalTest, WrongCaptchaReturnShowsTheFormAgainWithANewCaptcha) {
    Visitor visitor{Start()};
    visitor.Consult(kKnownKey, "nope");
    const PortalReply reply = visitor.Get(kWrongCaptchaReturn);
    EXPECT_EQ(reply.status, 200);
    EXPECT_TRUE(CaptchaData(reply.body));
    EXPECT_THAT(reply.body, HasSubstr("Código da Imagem inválido"));
    EXPECT_EQ(visitor.session.captchaAnswer, "K7P4X");
    EXPECT_EQ(visitor.Submit(kKnownKey, "K7P4X").location, kResultPage);
}

TEST_F(PortalTest, KnownKeyLeadsToResultPrintPageAndDownload) {
    Visitor visitor{Start()};
    ASSERT_EQ(visitor.Consult(kKnownKey, "K7P4X").location, kResultPage);

    const PortalReply result = visitor.Get(kResultPage);
    EXPECT_EQ(result.status, 200);
    EXPECT_THAT(result.body, HasSubstr("name=\"" + std::string(kDownloadButton) + "\""));
    EXPECT_THAT(result.body, HasSubstr("confirm('Clique em OK para iniciar o download')"));
    EXPECT_THAT(result.body, Not(HasSubstr("CANCELADA")));

    const PortalReply print = visitor.Get(kPrintPage);
    EXPECT_EQ(print.status, 200);
    EXPECT_EQ(print.body, "<html><body><p>Print page " + kKnownKey + "</p></body></html>");

    const PortalReply download =
        visitor.Post(kResultPage, {{std::string(kDownloadButton), "Download do documento*"}});
    ASSERT_EQ(download.status, 302);
    // The file is the consulting session's alone; it may be fetched again.
    EXPECT_EQ(Visitor{*portal_}.Get(download.location).status, 404);
    EXPECT_EQ(visitor.Get(download.location).status, 200);
    const PortalReply file = visitor.Get(download.location);
    EXPECT_EQ(file.status, 200);
    EXPECT_EQ(file.attachmentName, kKnownKey + ".xml");
    EXPECT_EQ(file.body, "<nfeProc>" + kKnownKey + "</nfeProc>");
    EXPECT_FALSE(file.breakOffHalfWay);
}

TEST_F(PortalTest, DownloadOverHttpsIsForAClientWithACertificateOnly) {
    PortalSettings settings = Settings();
    settings.downloadOrigin = "https://127.0.0.1:8443";
    Visitor visitor{Start(settings)};
    ASSERT_EQ(visitor.Consult(kKnownKey, "K7P4X").location, kResultPage);
    const std::string target = std::string(kDownloadPath) + "?chNFe=" + kKnownKey;
    EXPECT_EQ(visitor.Post(kResultPage, {{std::string(kDownloadButton), "x"}}).location,
              "https://127.0.0.1:8443" + target);

    const auto secure = [&](bool certificate) {
        return portal_->Answer({"GET", target, {}, true, certificate}, visitor.session);
    };
    EXPECT_EQ(visitor.Get(target).status, 404);
    const PortalReply refused = secure(false);
    EXPECT_EQ(refused.status, 403);
    EXPECT_THAT(refused.body, HasSubstr("Certificado digital obrigatório"));
    EXPECT_TRUE(refused.attachmentName.empty());
    const PortalReply file = secure(true);
    EXPECT_EQ(file.status, 200);
    EXPECT_EQ(file.body, "<nfeProc>" + kKnownKey + "</nfeProc>");
}

TEST_F(PortalTest, ResultViewerServesLikeTheResultPageWhenChosen) {
    PortalSettings settings = Settings();
    settings.landOnResultViewer = true;
    Visitor visitor{Start(settings)};
    ASSERT_EQ(visitor.Consult(kKnownKey, "K7P4X").location, kResultViewer);
    EXPECT_THAT(visitor.Get(kResultViewer).body, HasSubstr(std::string(kDownloadButton)));
    EXPECT_EQ(visitor.Post(kResultViewer, {{std::string(kDownloadButton), "x"}}).location,
              std::string(kDownloadPath) + "?chNFe=" + kKnownKey);
}

TEST_F(PortalTest, CancelledInvoiceRaisesItsMessageOnTheResultPage) {
    Visitor visitor{Start()};
    visitor.Consult(kCancelledKey, "K7P4X");
    const std::string body = visitor.Get(kResultPage).body;
    EXPECT_THAT(body, HasSubstr("alert('NF-e CANCELADA"));
}

TEST_F(PortalTest, InvoicePagesWithoutAConsultationSendBackToTheForm) {
    Visitor visitor{Start()};
    for (std::string_view target : {kResultPage, kResultViewer, kPrintPage}) {
        EXPECT_EQ(visitor.Get(target).location, kConsultationPage) << target;
    }
}

TEST(PortalPages, VanishingBodyScriptGoesInsideTheBodyInAnyLetterCase) {
    EXPECT_THAT(WithVanishingBody("<HTML><BODY>x</BODY></HTML>"),
                testing::MatchesRegex("<HTML><BODY>x<script.*removeChild\\(document.body\\).*"
                                      "</script>\n</BODY></HTML>"));
    EXPECT_THAT(WithVanishingBody("<p>x</p>"),
                testing::MatchesRegex("<p>x</p><script.*</script>\n"));
}

TEST_F(PortalTest, OtherAddresses) {
    Visitor visitor{Start()};
    const PortalReply notFound = visitor.Get(kNotFoundPage);
    EXPECT_EQ(notFound.status, 200);
    EXPECT_THAT(notFound.body, HasSubstr("NF-e INEXISTENTE na base nacional"));

    EXPECT_EQ(visitor.Get("/portal/outra.aspx").status, 404);
    EXPECT_EQ(visitor.Get(std::string(kDownloadPath) + "?chNFe=" + kUnknownKey).status, 404);
    // Paths are found in any letter case, as the real server does.
    EXPECT_TRUE(CaptchaData(
        visitor.Get("/Portal/Consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8=").body));
}

// What each fault mode does to the flow of one query, chosen by key or by switch.
void ExpectFault(FaultMode mode, Visitor& visitor, const std::string& key) {
    const PortalReply submission = visitor.Consult(key, "K7P4X");
    if (mode == FaultMode::serverError) {
        EXPECT_EQ(submission.status, 500);
        return;
    }
    if (mode == FaultMode::maintenance) {
        EXPECT_EQ(submission.location, kMaintenancePage);
        EXPECT_THAT(visitor.Get(submission.location).body, HasSubstr("manutenção"));
        return;
    }
    ASSERT_EQ(submission.location, kResultPage);
    const PortalReply result = visitor.Get(kResultPage);
    const PortalReply print = visitor.Get(kPrintPage);
    const PortalReply download = visitor.Get(std::string(kDownloadPath) + "?chNFe=" + key);
    const PortalReply again = visitor.Get(std::string(kDownloadPath) + "?chNFe=" + key);

    const bool slow = mode == FaultMode::slowPages;
    EXPECT_EQ(result.delay.count(), slow ? 2 : 0);
    EXPECT_EQ(print.delay.count(), slow ? 2 : 0);
    EXPECT_EQ(mode == FaultMode::vanishingBody,
              print.body.find("removeChild(document.body)") < print.body.find("</body>"));
    EXPECT_EQ(download.status, 200);
    EXPECT_EQ(again.status, mode == FaultMode::downloadMissing ? 404 : 200);
    EXPECT_EQ(download.breakOffHalfWay, mode == FaultMode::downloadBroken);
    if (mode == FaultMode::downloadEmpty) {
        EXPECT_EQ(download.body, "");
        EXPECT_EQ(download.attachmentName, key + ".xml");
    }
}

TEST_F(PortalTest, FaultModesChosenByKey) {
    Portal& portal = Start();
    for (const FaultModeInfo& info : FaultModes()) {
        if (info.chosenByKey) {
            SCOPED_TRACE(info.name);
            Visitor visitor{portal};
            EXPECT_EQ(visitor.Get(kConsultationPage).delay.count(), 0);
            ExpectFault(info.mode, visitor, FaultKey(info.mode));
        }
    }
}

TEST_F(PortalTest, FaultModesChosenForEveryKey) {
    for (const FaultModeInfo& info : FaultModes()) {
        if (info.chosenByKey) {
            SCOPED_TRACE(info.name);
            Visitor visitor{Start(Settings(info.mode))};
            ExpectFault(info.mode, visitor, kKnownKey);
        }
    }
}

TEST_F(PortalTest, SlowSwitchHoldsEveryPage) {
    Visitor visitor{Start(Settings(FaultMode::slowPages, std::chrono::seconds(3)))};
    EXPECT_EQ(visitor.Get(kConsultationPage).delay.count(), 3);
    EXPECT_EQ(visitor.Get(kNotFoundPage).delay.count(), 3);
}

TEST_F(PortalTest, CaptchaFaultModes) {
    Visitor without{Start(Settings(FaultMode::noCaptcha))};
    const PortalReply page = without.Get(kConsultationPage);
    EXPECT_THAT(page.body, Not(HasSubstr("data:image")));
    EXPECT_THAT(page.body, HasSubstr(std::string(kCaptchaField)));
    EXPECT_EQ(without.Submit(kKnownKey, "K7P4X").location, kWrongCaptchaReturn);

    Visitor gif{Start(Settings(FaultMode::captchaNotPng))};
    const auto data = CaptchaData(gif.Get(kConsultationPage).body);
    ASSERT_TRUE(data);
    EXPECT_THAT(*data, testing::StartsWith("R0lGODlh"));  // "GIF89a"
    EXPECT_EQ(gif.Submit(kKnownKey, "K7P4X").location, kResultPage);
}

}  // namespace
}  // namespace sample
