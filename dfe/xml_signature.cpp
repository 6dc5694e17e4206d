#include "dfe/xml_signature.h"

#include <libxml/parser.h>
#include <libxml/valid.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <xmlsec/base64.h>
#include <xmlsec/crypto.h>
#include <xmlsec/errors.h>
#include <xmlsec/openssl/evp.h>
#include <xmlsec/openssl/x509.h>
#include <xmlsec/templates.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmlsec.h>
#include <xmlsec/xmltree.h>

#include <mutex>
#include <string>

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
        // Line ends inside the signature and wrapped Base64 are white space between tags
        // for the service, which refuses them. The library wants some line length: one that
        // no certificate or signature reaches.
        xmlSecSetDefaultLineFeed(XmlChars(""));
        xmlSecBase64SetDefaultLineSize(1 << 20);
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

xmlNode* NextElement(xmlNode* node) {
    for (xmlNode* next = node->next; next != nullptr; next = next->next) {
        if (next->type == XML_ELEMENT_NODE) {
            return next;
        }
    }
    return nullptr;
}

}  // namespace

void SignEnveloped(xmlNode* element, const A1Certificate& certificate) {
    Initialise();
    gLastComplaint.clear();
    const std::string id = RegisterId(element);

    Key key = KeyAround(certificate.privateKey());
    xmlSecKeyDataPtr x509 = xmlSecKeyEnsureData(key.get(), xmlSecOpenSSLKeyDataX509Id);
    X509* copy = X509_dup(certificate.certificate());
    if (x509 == nullptr || copy == nullptr || xmlSecOpenSSLKeyDataX509AdoptCert(x509, copy) < 0) {
        X509_free(copy);
        throw Error("O certificado não pôde ser posto na assinatura: " + gLastComplaint);
    }

    xmlNode* signature = xmlSecTmplSignatureCreate(element->doc, xmlSecTransformInclC14NId,
                                                   xmlSecTransformRsaSha1Id, nullptr);
    if (signature == nullptr) {
        throw Error("A assinatura não pôde ser montada: " + gLastComplaint);
    }
    xmlAddNextSibling(element, signature);
    const std::string uri = "#" + id;
    xmlNode* reference = xmlSecTmplSignatureAddReference(signature, xmlSecTransformSha1Id, nullptr,
                                                         XmlChars(uri), nullptr);
    xmlNode* keyInfo = xmlSecTmplSignatureEnsureKeyInfo(signature, nullptr);
    xmlNode* x509Data = keyInfo == nullptr ? nullptr : xmlSecTmplKeyInfoAddX509Data(keyInfo);
    const bool built =
        reference != nullptr &&
        xmlSecTmplReferenceAddTransform(reference, xmlSecTransformEnvelopedId) != nullptr &&
        xmlSecTmplReferenceAddTransform(reference, xmlSecTransformInclC14NId) != nullptr &&
        x509Data != nullptr && xmlSecTmplX509DataAddCertificate(x509Data) != nullptr;

    Context context(xmlSecDSigCtxCreate(nullptr));
    if (built && context) {
        context->signKey = key.release();
        if (xmlSecDSigCtxSign(context.get(), signature) >= 0) {
            return;
        }
    }
    xmlUnlinkNode(signature);
    xmlFreeNode(signature);
    throw Error("O evento não pôde ser assinado: " + gLastComplaint);
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
