#include "dfe/holder_identity.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

namespace dfe {
namespace {

// A self-signed certificate with the common name and, when not empty, the alternative
// names in openssl's notation ("otherName:2.16.76.1.3.3;PRINTABLESTRING:...").
std::unique_ptr<X509, decltype(&X509_free)> Certificate(const std::string& commonName,
                                                        const std::string& alternativeNames) {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    std::unique_ptr<X509, decltype(&X509_free)> certificate(X509_new(), X509_free);
    X509_set_version(certificate.get(), 2);
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), 0);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 3600);
    X509_NAME* name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1,
                               0);
    X509_set_issuer_name(certificate.get(), name);
    X509_set_pubkey(certificate.get(), key.get());
    if (!alternativeNames.empty()) {
        X509V3_CTX context;
        X509V3_set_ctx_nodb(&context);
        X509V3_set_ctx(&context, certificate.get(), certificate.get(), nullptr, nullptr, 0);
        X509_EXTENSION* extension =
            X509V3_EXT_nconf_nid(nullptr, &context, NID_subject_alt_name, alternativeNames.c_str());
        EXPECT_NE(extension, nullptr) << alternativeNames;
        X509_add_ext(certificate.get(), extension, -1);
        X509_EXTENSION_free(extension);
    }
    X509_sign(certificate.get(), key.get(), EVP_sha256());
    return certificate;
}

TEST(IdentityOf, FindsTheCnpjOrCpfWhereCertificateAuthoritiesPutIt) {
    struct Case {
        std::string commonName;
        std::string alternativeNames;
        std::string name;
        std::optional<Party> party;
    };
    const Party company{Party::Kind::cnpj, "44555666000181"};
    const Case cases[] = {
        {"EMPRESA BETA S.A.:44555666000181", "", "EMPRESA BETA S.A.", company},
        {"EMPRESA BETA S.A.", "otherName:2.16.76.1.3.3;PRINTABLESTRING:44555666000181",
         "EMPRESA BETA S.A.", company},
        {"EMPRESA BETA S.A.", "otherName:2.16.76.1.3.3;UTF8String:44555666000181",
         "EMPRESA BETA S.A.", company},
        // The alternative name wins over the common name.
        {"FILIAL:44555666000262", "otherName:2.16.76.1.3.3;PRINTABLESTRING:44555666000181",
         "FILIAL", company},
        // An e-CPF: birth date, then the CPF, then more of the person's data.
        {"MARIA DA SILVA:11144477735",
         "email:maria@example.com,otherName:2.16.76.1.3.1;PRINTABLESTRING:"
         "010119801114447773500000000000000000000000000000",
         "MARIA DA SILVA", Party{Party::Kind::cpf, "11144477735"}},
        {"MARIA DA SILVA", "otherName:2.16.76.1.3.1;OCTETSTRING:19801114447773", "MARIA DA SILVA",
         std::nullopt},
        // Numbers whose check digits fail are no party, and stay in the name.
        {"EMPRESA:44555666000180", "", "EMPRESA:44555666000180", std::nullopt},
        {"server.example.com", "DNS:server.example.com", "server.example.com", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto certificate = Certificate(c.commonName, c.alternativeNames);
        const HolderIdentity identity = IdentityOf(certificate.get());
        EXPECT_EQ(identity.name, c.name) << c.commonName;
        EXPECT_EQ(identity.party, c.party) << c.commonName << " " << c.alternativeNames;
    }
}

}  // namespace
}  // namespace dfe
