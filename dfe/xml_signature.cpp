#include "dfe/xml_signature.h"

#include <libxml/parser.h>
#include <libxml/valid.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <xmlsec/base64.h>
#include <xmlsec/crypto.h>
#include <xmlsec/errors.h>
#include <xmlsec/openssl/evp.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmlsec.h>
#include <xmlsec/xmltree.h>

#include <mutex>
#include <string>

#include "dfe/canonical_xml.h"
#include "dfe/crypto_providers.h"
#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"

namespace dfe {
namespace {

// The library's last complaint on this thread, for the message of a failure; the library
// would otherwise print it on the standard error.
thread_local std::string gLastComplaint;

void KeepComplaint(const char*, int, const char*, const char* object, const char* subject,
                   int reason, const char* message) {
    gLastComplaint = std::string(xmlSecErrorsGetMsg(static_cast<std::size_t>(reason)) != nullptr
                                     ? xmlSecErrorsGetMsg(static_cast<std::size_t>(reason))
                                     : "") +
                     (object != nullptr ? std::string(" ") + object : "") +
                     (subject != nullptr ? std::string(" ") + subject : "") +
                     (message != nullptr ? std::string(": ") + message : "");
}

void Initialise() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        LoadCryptoProviders();
        xmlInitParser();
        ready = xmlSecInit() >= 0 && xmlSecCheckVersion() == 1 &&
                xmlSecCryptoAppInit(nullptr) >= 0 && xmlSecCryptoInit() >= 0;
        xmlSecErrorsSetCallback(KeepComplaint);
    });
    if (!ready) {
        throw Error("A biblioteca de assinatura XML (xmlsec1) não pôde ser iniciada: " +
                    gLastComplaint);
    }
}

struct KeyFree {
    void operator()(xmlSecKey* key) const { xmlSecKeyDestroy(key); }
};
using Key = std::unique_ptr<xmlSecKey, KeyFree>;

struct ContextFree {
    void operator()(xmlSecDSigCtx* context) const { xmlSecDSigCtxDestroy(context); }
};
using Context = std::unique_ptr<xmlSecDSigCtx, ContextFree>;

// A key of the library around an OpenSSL key, which stays in memory.
Key KeyAround(EVP_PKEY* evpKey) {
    EVP_PKEY_up_ref(evpKey);
    xmlSecKeyDataPtr value = xmlSecOpenSSLEvpKeyAdopt(evpKey);
    if (value == nullptr) {
        EVP_PKEY_free(evpKey);
        throw Error("A chave do certificado não serve para assinar: " + gLastComplaint);
    }
    Key key(xmlSecKeyCreate());
    if (!key || xmlSecKeySetValue(key.get(), value) < 0) {
        xmlSecKeyDataDestroy(value);
        throw Error("A chave do certificado não pôde ser preparada: " + gLastComplaint);
    }
    return key;
}

// The element's Id, registered as an ID of its document so that "#Id" resolves to it.
std::string RegisterId(xmlNode* element) {
    const std::optional<std::string> id = AttributeOf(element, "Id");
    if (!id || id->empty()) {
        throw Error("O elemento a assinar não tem o atributo Id.");
    }
    xmlAttr* attribute = xmlHasProp(element, XmlChars("Id"));
    const xmlAttr* registered = xmlGetID(element->doc, XmlChars(*id));
    if (registered == nullptr) {
        if (xmlAddID(nullptr, element->doc, XmlChars(*id), attribute) == nullptr) {
            throw Error("O Id \"" + id->substr(0, 60) + "\" não pôde ser registrado.");
        }
    } else if (registered != attribute) {
        throw Error("O Id \"" + id->substr(0, 60) + "\" aparece mais de uma vez no documento.");
    }
    return *id;
}

constexpr const char* kC14N = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
constexpr const char* kRsaSha1 = "http://www.w3.org/2000/09/xmldsig#rsa-sha1";
constexpr const char* kSha1 = "http://www.w3.org/2000/09/xmldsig#sha1";
constexpr const char* kEnvelopedSignature = "http://www.w3.org/2000/09/xmldsig#enveloped-signature";

// A child in the parent's namespace, with an Algorithm attribute when one is given.
xmlNode* Child(xmlNode* parent, const char* name, const char* algorithm = nullptr) {
    xmlNode* child = xmlNewChild(parent, parent->ns, XmlChars(name), nullptr);
    if (algorithm != nullptr) {
        xmlNewProp(child, XmlChars("Algorithm"), XmlChars(algorithm));
    }
    return child;
}

std::string Base64(const std::string& bytes) {
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                       reinterpret_cast<const unsigned char*>(bytes.data()),
                                       static_cast<int>(bytes.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string Sha1(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha1(), nullptr) != 1) {
        ERR_clear_error();
        throw Error("O resumo SHA-1 do evento não pôde ser calculado.");
    }
    return std::string(reinterpret_cast<const char*>(digest), length);
}

std::string CertificateDer(X509* certificate) {
    unsigned char* der = nullptr;
    const int length = i2d_X509(certificate, &der);
    if (length <= 0) {
        ERR_clear_error();
        throw Error("O certificado não pôde ser posto na assinatura.");
    }
    std::string bytes(reinterpret_cast<const char*>(der), static_cast<std::size_t>(length));
    OPENSSL_free(der);
    return bytes;
}

// The RSA-SHA1 signature (PKCS#1 v1.5) of bytes with key.
std::string RsaSha1(const std::string& bytes, EVP_PKEY* key) {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                    EVP_MD_CTX_free);
    std::size_t length = 0;
    std::string signature;
    bool signedOk =
        context && EVP_DigestSignInit(context.get(), nullptr, EVP_sha1(), nullptr, key) == 1 &&
        EVP_DigestSign(context.get(), nullptr, &length,
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) == 1;
    if (signedOk) {
        signature.resize(length);
        signedOk = EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()),
                                  &length, reinterpret_cast<const unsigned char*>(bytes.data()),
                                  bytes.size()) == 1;
        signature.resize(length);
    }
    if (!signedOk) {
        char reason[256] = "";
        ERR_error_string_n(ERR_peek_last_error(), reason, sizeof reason);
        ERR_clear_error();
        throw Error(std::string("O evento não pôde ser assinado com a chave do certificado (") +
                    reason + ").");
    }
    return signature;
}

xmlNode* NextElement(xmlNode* node) {
    for (xmlNode* next = node->next; next != nullptr; next = next->next) {
        if (next->type == XML_ELEMENT_NODE) {
            return next;
        }
    }
    return nullptr;
}

}  // namespace

void SignEnveloped(xmlNode* element, const CompanyCertificate& certificate) {
    LoadCryptoProviders();
    const std::string id = RegisterId(element);
    // The signature goes beside the element, so the enveloped-signature transform takes
    // nothing out of it: the digest is that of the element's canonical form.
    const std::string digest = Base64(Sha1(CanonicalForm(element)));

    xmlNode* signature = xmlNewDocNode(element->doc, nullptr, XmlChars("Signature"), nullptr);
    xmlSetNs(signature, xmlNewNs(signature, XmlChars(kNamespaceXmlDsig), nullptr));
    xmlAddNextSibling(element, signature);
    xmlNode* signedInfo = Child(signature, "SignedInfo");
    Child(signedInfo, "CanonicalizationMethod", kC14N);
    Child(signedInfo, "SignatureMethod", kRsaSha1);
    xmlNode* reference = Child(signedInfo, "Reference");
    xmlNewProp(reference, XmlChars("URI"), XmlChars("#" + id));
    xmlNode* transforms = Child(reference, "Transforms");
    Child(transforms, "Transform", kEnvelopedSignature);
    Child(transforms, "Transform", kC14N);
    Child(reference, "DigestMethod", kSha1);
    xmlNodeAddContent(Child(reference, "DigestValue"), XmlChars(digest));
    xmlNode* signatureValue = Child(signature, "SignatureValue");
    xmlNode* x509Data = Child(Child(signature, "KeyInfo"), "X509Data");
    xmlNodeAddContent(Child(x509Data, "X509Certificate"),
                      XmlChars(Base64(CertificateDer(certificate.certificate()))));

    try {
        // On a token the key signs there; an A1's in memory.
        xmlNodeAddContent(
            signatureValue,
            XmlChars(Base64(RsaSha1(CanonicalForm(signedInfo), certificate.privateKey()))));
    } catch (const Error&) {
        xmlUnlinkNode(signature);
        xmlFreeNode(signature);
        throw;
    }
}

bool VerifyEnveloped(xmlNode* element, EVP_PKEY* key) {
    Initialise();
    gLastComplaint.clear();
    xmlNode* signature = NextElement(element);
    if (!IsElement(signature, kNamespaceXmlDsig, "Signature")) {
        return false;
    }
    std::string id;
    try {
        id = RegisterId(element);
    } catch (const Error&) {
        return false;
    }

    Context context(xmlSecDSigCtxCreate(nullptr));
    if (!context) {
        throw Error("A verificação da assinatura não pôde ser preparada.");
    }
    context->signKey = KeyAround(key).release();
    // Only what this signature method uses: a reference to another document, or another
    // transform, would sign something else than the element.
    context->enabledReferenceUris = xmlSecTransformUriTypeSameDocument;
    if (xmlSecDSigCtxEnableReferenceTransform(context.get(), xmlSecTransformEnvelopedId) < 0 ||
        xmlSecDSigCtxEnableReferenceTransform(context.get(), xmlSecTransformInclC14NId) < 0 ||
        xmlSecDSigCtxEnableReferenceTransform(context.get(), xmlSecTransformSha1Id) < 0 ||
        xmlSecDSigCtxEnableSignatureTransform(context.get(), xmlSecTransformInclC14NId) < 0 ||
        xmlSecDSigCtxEnableSignatureTransform(context.get(), xmlSecTransformRsaSha1Id) < 0) {
        throw Error("A verificação da assinatura não pôde ser preparada: " + gLastComplaint);
    }
    if (xmlSecDSigCtxVerify(context.get(), signature) < 0 ||
        context->status != xmlSecDSigStatusSucceeded) {
        return false;
    }
    if (xmlSecPtrListGetSize(&context->signedInfoReferences) != 1) {
        return false;
    }
    const auto* reference = static_cast<const xmlSecDSigReferenceCtx*>(
        xmlSecPtrListGetItem(&context->signedInfoReferences, 0));
    return reference != nullptr && reference->uri != nullptr &&
           std::string(reinterpret_cast<const char*>(reference->uri)) == "#" + id;
}

}  // namespace dfe
