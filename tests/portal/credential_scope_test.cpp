#include "portal/credential_scope.h"

#include <gtest/gtest.h>

namespace portal {
namespace {

const PortalAddresses kNational =
    PortalAddresses::FromOrigins("http://www.nfe.fazenda.gov.br", "https://www.nfe.fazenda.gov.br");
const PortalAddresses kSample =
    PortalAddresses::FromOrigins("http://127.0.0.1:8080", "https://127.0.0.1:8443");

TEST(CredentialScope, TheCertificateGoesOnlyToThePortalsHttpsHost) {
    const struct {
        const PortalAddresses& portal;
        const char* hostAndPort;
        bool presented;
    } cases[] = {
        {kNational, "//www.nfe.fazenda.gov.br:443", true},
        {kNational, "//WWW.NFE.FAZENDA.GOV.BR", true},
        {kNational, "//www.nfe.fazenda.gov.br:8443", false},
        {kNational, "//nfe.fazenda.gov.br.example.com:443", false},
        {kNational, "//anuncios.example.com:443", false},
        {kNational, "", false},
        {kSample, "//127.0.0.1:8443", true},
        {kSample, "//127.0.0.1:8080", false},
        {kSample, "//www.nfe.fazenda.gov.br:443", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PresentsCertificateTo(QUrl(QString::fromUtf8(c.hostAndPort)), c.portal),
                  c.presented)
            << c.hostAndPort;
    }
}

TEST(CredentialScope, DownloadsCarryTheCookiesToThePortalsOriginsOnly) {
    const struct {
        const char* address;
        bool portal;
    } cases[] = {
        {"https://www.nfe.fazenda.gov.br/portal/download.aspx?x=1", true},
        {"http://www.nfe.fazenda.gov.br/portal/download.aspx", true},
        {"https://www.nfe.fazenda.gov.br:444/portal/download.aspx", false},
        {"https://www.nfe.fazenda.gov.br@outro.example.com/portal/download.aspx", false},
        {"ftp://www.nfe.fazenda.gov.br/arquivo", false},
        {"https://outro.example.com/download", false},
        {"not an address", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPortalOrigin(QUrl(QString::fromUtf8(c.address)), kNational), c.portal)
            << c.address;
    }
}

TEST(CredentialScope, ARedirectIsFollowedOnlyWithinTheSameOrigin) {
    const QUrl from(QStringLiteral("https://www.nfe.fazenda.gov.br/portal/download.aspx"));
    EXPECT_TRUE(FollowsRedirect(from, QUrl(QStringLiteral("/portal/arquivo.xml"))));
    EXPECT_TRUE(FollowsRedirect(
        from, QUrl(QStringLiteral("https://www.nfe.fazenda.gov.br:443/portal/arquivo.xml"))));
    EXPECT_FALSE(FollowsRedirect(from, QUrl(QStringLiteral("https://outro.example.com/a.xml"))));
    EXPECT_FALSE(
        FollowsRedirect(from, QUrl(QStringLiteral("http://www.nfe.fazenda.gov.br/a.xml"))));
    EXPECT_FALSE(FollowsRedirect(from, QUrl(QStringLiteral("//outro.example.com/a.xml"))));
}

}  // namespace
}  // namespace portal
