#include "dfe/token_certificate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <openssl/x509.h>
#include <p11-kit/pkcs11.h>

#include "dfe/ciencia_event.h"
#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "dfe/xml_signature.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/dfe/support/test_token.h"

namespace dfe {
namespace {

using test_support::SharedTestCertificates;
using test_support::SharedTestToken;
using ::testing::HasSubstr;

TEST(Pkcs11Uri, ReadsTheAttributesThatChooseACertificate) {
    const Pkcs11Uri uri =
        ParsePkcs11Uri("pkcs11:token=Meu%20Token;object=empresa;id=%01%0a;type=cert;slot-id=3");
    EXPECT_EQ(uri.token, "Meu Token");
    EXPECT_EQ(uri.object, "empresa");
    EXPECT_EQ(uri.id, std::string("\x01\x0a"));
    EXPECT_EQ(uri.type, "cert");
    EXPECT_FALSE(uri.serial);
    EXPECT_EQ(ParsePkcs11Uri(uri.Text()).token, "Meu Token");
    EXPECT_EQ(uri.Text(), "pkcs11:token=Meu%20Token;object=empresa;id=%01%0A;type=cert");
    EXPECT_FALSE(ParsePkcs11Uri("pkcs11:").token);
    EXPECT_TRUE(IsPkcs11Uri("PKCS11:token=x"));
    EXPECT_FALSE(IsPkcs11Uri("empresa.pfx"));
}

TEST(Pkcs11Uri, RefusesAPinAndMalformedAttributes) {
    const struct {
        const char* uri;
        const char* message;
    } cases[] = {
        {"pkcs11:token=A;pin-value=1234", "não pode trazer o PIN"},
        {"pkcs11:token=A?pin-value=1234", "não pode trazer o PIN"},
        {"pkcs11:token=A?pin-source=file:/tmp/pin", "não pode trazer o PIN"},
        {"pkcs11:token=A;token=B", "repete o atributo token"},
        {"pkcs11:object=%4", "mal formado"},
        {"pkcs11:object", "não tem valor"},
        {"pkcs11:colour=blue", "desconhecido"},
        {"empresa.pfx", "não é um endereço PKCS#11"},
    };
    for (const auto& c : cases) {
        try {
            ParsePkcs11Uri(c.uri);
            ADD_FAILURE() << c.uri;
        } catch (const CertificateError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message)) << c.uri;
        }
    }
}

TEST(WrongPin, SaysHowManyTriesAreLeftWhenTheTokenTells) {
    const struct {
        unsigned long flags;
        const char* message;
    } cases[] = {
        {0, "O PIN do token está incorreto."},
        {CKF_USER_PIN_COUNT_LOW, "Restam poucas tentativas"},
        {CKF_USER_PIN_FINAL_TRY | CKF_USER_PIN_COUNT_LOW, "Resta uma única tentativa"},
        {CKF_USER_PIN_LOCKED, "O token está bloqueado"},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(WrongPinMessage(c.flags), HasSubstr(c.message)) << c.flags;
    }
}

// 2027-01-15 12:00:00 UTC.
const Time kMoment{std::chrono::seconds(1'800'014'400)};
constexpr const char* kKey = "35160361024385000111550010000001091901020309";

TEST(TokenCertificate, IsListedAndSignsTheEventOnTheToken) {
    const auto& token = SharedTestToken();
    const std::vector<TokenCertificate> found = TokenCertificates(token.module);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].tokenLabel, "EMPRESA");
    EXPECT_EQ(found[0].object, "empresa");
    EXPECT_EQ(InfoOf(found[0]).party->number, "44555666000181");

    const CompanyCertificate a3 = OpenTokenCertificate(token.uri, token.module, token.Pin());
    EXPECT_TRUE(a3.KeyOnToken());
    EXPECT_EQ(a3.party().number, "44555666000181");
    EXPECT_THROW(a3.PrivateKeyPem(), CertificateError);

    // The signature is the one the A1 makes: same key, same bytes.
    const CompanyCertificate a1 = CompanyCertificate::ReadFile(SharedTestCertificates().files.a1,
                                                               SharedTestCertificates().Password());
    const CienciaEvent event{Environment::homologation, a1.party(), kKey, kMoment};
    const std::string signedOnToken = SignedCienciaEvent(event, a3);
    EXPECT_EQ(signedOnToken, SignedCienciaEvent(event, a1));
    const XmlDocument parsed = XmlDocument::Parse(signedOnToken, "O evento");
    xmlNode* information = ChildElement(parsed.Root(), kNamespaceNFe, "infEvento");
    EXPECT_TRUE(VerifyEnveloped(information, X509_get0_pubkey(a3.certificate())));
}

// The engine keeps its login to the token after the first certificate is gone: checking the
// PIN again must not take that login away from it.
TEST(TokenCertificate, SignsAgainWhenOpenedAgainInTheSameProgram) {
    const auto& token = SharedTestToken();
    for (const int opening : {1, 2, 3}) {
        const CompanyCertificate a3 = OpenTokenCertificate(token.uri, token.module, token.Pin());
        const CienciaEvent event{Environment::homologation, a3.party(), kKey, kMoment};
        EXPECT_NO_THROW(SignedCienciaEvent(event, a3)) << opening;
    }
}

TEST(TokenCertificate, SaysWhyItCannotBeOpened) {
    const auto& token = SharedTestToken();
    EXPECT_THROW(OpenTokenCertificate(token.uri, token.module, Secret("0000")), WrongPasswordError);
    const struct {
        std::string uri;
        std::filesystem::path module;
        const char* message;
    } cases[] = {
        {"pkcs11:token=OUTRO", token.module, "Nenhum certificado dos tokens"},
        {token.uri, "/nao/existe/modulo.so", "não pôde ser carregado"},
        {token.uri, "libz.so.1", "não é um módulo PKCS#11"},
    };
    for (const auto& c : cases) {
        try {
            OpenTokenCertificate(c.uri, c.module, token.Pin());
            ADD_FAILURE() << c.uri;
        } catch (const CertificateError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message)) << c.uri;
        }
    }
}

}  // namespace
}  // namespace dfe
