#include "dfe/ciencia_event.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <openssl/x509.h>

#include <sys/wait.h>
#include <cstdio>

#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "dfe/xml_signature.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace dfe {
namespace {

using test_support::SharedTestCertificates;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kKey = "35160361024385000111550010000001091901020309";
// 2027-01-15 12:00:00 UTC.
const Time kMoment{std::chrono::seconds(1'800'014'400)};

const CompanyCertificate& Certificate() {
    static const CompanyCertificate a1 = CompanyCertificate::ReadFile(
        SharedTestCertificates().files.a1, SharedTestCertificates().Password());
    return a1;
}

std::string Signed() {
    return SignedCienciaEvent({Environment::homologation, Certificate().party(), kKey, kMoment},
                              Certificate());
}

std::vector<std::string> ChildNames(const xmlNode* parent) {
    std::vector<std::string> names;
    for (const xmlNode* child = parent->children; child != nullptr; child = child->next) {
        names.push_back(child->type == XML_ELEMENT_NODE ? reinterpret_cast<const char*>(child->name)
                                                        : "(text)");
    }
    return names;
}

// The xmlsec1 program's verdict on the signed event, trusting the sample authority.
int VerifyWithXmlsec1(const std::string& event) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "evento.xml", event);
    const std::string command =
        "xmlsec1 --verify --trusted-pem '" + SharedTestCertificates().files.authority.string() +
        "' --id-attr:Id infEvento '" + (folder / "evento.xml").string() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CienciaEvent, HasTheFieldsInTheirOrderAndNoWhiteSpaceBetweenTags) {
    const std::string event = Signed();
    EXPECT_EQ(event.find_first_of("\n\r\t"), std::string::npos) << event;
    EXPECT_EQ(event.find("> "), std::string::npos);
    EXPECT_EQ(event.find(" <"), std::string::npos);
    EXPECT_TRUE(event.starts_with(
        "<evento xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\"><infEvento "
        "Id=\"ID210210" +
        std::string(kKey) +
        "01\"><cOrgao>91</cOrgao><tpAmb>2</tpAmb>"
        "<CNPJ>44555666000181</CNPJ><chNFe>" +
        kKey +
        "</chNFe>"
        "<dhEvento>2027-01-15T09:00:00-03:00</dhEvento><tpEvento>210210</tpEvento>"
        "<nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento><detEvento versao=\"1.00\">"
        "<descEvento>Ciencia da Operacao</descEvento></detEvento></infEvento>"
        "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">"))
        << event;

    const XmlDocument parsed = XmlDocument::Parse(event, "O evento");
    EXPECT_THAT(ChildNames(parsed.Root()), ElementsAre("infEvento", "Signature"));
    const xmlNode* signature = ChildElement(parsed.Root(), kNamespaceXmlDsig, "Signature");
    EXPECT_THAT(ChildNames(signature), ElementsAre("SignedInfo", "SignatureValue", "KeyInfo"));
    const xmlNode* reference = FindElement(signature, kNamespaceXmlDsig, "Reference");
    EXPECT_EQ(AttributeOf(reference, "URI"), "#ID210210" + std::string(kKey) + "01");
    std::vector<std::string> algorithms;
    for (const char* name :
         {"CanonicalizationMethod", "SignatureMethod", "Transform", "DigestMethod"}) {
        for (const xmlNode* node = FindElement(signature, kNamespaceXmlDsig, name); node != nullptr;
             node = node->next) {
            if (IsElement(node, kNamespaceXmlDsig, name)) {
                algorithms.push_back(AttributeOf(node, "Algorithm").value_or(""));
            }
        }
    }
    EXPECT_THAT(algorithms, ElementsAre("http://www.w3.org/TR/2001/REC-xml-c14n-20010315",
                                        "http://www.w3.org/2000/09/xmldsig#rsa-sha1",
                                        "http://www.w3.org/2000/09/xmldsig#enveloped-signature",
                                        "http://www.w3.org/TR/2001/REC-xml-c14n-20010315",
                                        "http://www.w3.org/2000/09/xmldsig#sha1"));
    const xmlNode* x509 = FindElement(signature, kNamespaceXmlDsig, "X509Certificate");
    ASSERT_NE(x509, nullptr);
    EXPECT_GT(TextOf(x509).size(), 500u);
    EXPECT_EQ(CienciaFileName(kKey), std::string(kKey) + "-210210-01-procEventoNFe.xml");
}

TEST(CienciaEvent, ItsSignatureVerifiesElsewhereAndATamperedCopyDoesNot) {
    const std::string event = Signed();
    EXPECT_EQ(VerifyWithXmlsec1(event), 0);

    std::string tampered = event;
    tampered.replace(tampered.find("<tpAmb>2"), 8, "<tpAmb>1");
    EXPECT_NE(VerifyWithXmlsec1(tampered), 0);

    EVP_PKEY* key = X509_get0_pubkey(Certificate().certificate());
    const XmlDocument good = XmlDocument::Parse(event, "O evento");
    EXPECT_TRUE(VerifyEnveloped(good.Root()->children, key));
    const XmlDocument bad = XmlDocument::Parse(tampered, "O evento");
    EXPECT_FALSE(VerifyEnveloped(bad.Root()->children, key));
}

TEST(CienciaEvent, MomentsAreWrittenInBrasiliaTime) {
    EXPECT_EQ(EventMomentText(kMoment), "2027-01-15T09:00:00-03:00");
    EXPECT_EQ(EventMomentText(Time{std::chrono::seconds(1'800'000'000 + 59)}),
              "2027-01-15T05:00:59-03:00");
    // 2027-01-01 02:59:59 UTC is still the last day of the year in Brasília.
    EXPECT_EQ(EventMomentText(Time{std::chrono::seconds(1'798'772'399)}),
              "2026-12-31T23:59:59-03:00");
}

}  // namespace
}  // namespace dfe
