#include "dfe/holder_identity.h"

#include <openssl/objects.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>
#include <string_view>

namespace dfe {
namespace {

constexpr std::string_view kCnpjOid = "2.16.76.1.3.3";
constexpr std::string_view kPersonDataOid = "2.16.76.1.3.1";

// The text of an other name's value when it is one of the string types that certificate
// authorities use for these numbers.
std::optional<std::string> OtherNameText(const OTHERNAME* other) {
    const ASN1_TYPE* value = other->value;
    if (value == nullptr) {
        return std::nullopt;
    }
    switch (value->type) {
        case V_ASN1_OCTET_STRING:
        case V_ASN1_PRINTABLESTRING:
        case V_ASN1_UTF8STRING:
        case V_ASN1_IA5STRING:
        case V_ASN1_VISIBLESTRING: {
            const ASN1_STRING* text = value->value.asn1_string;
            return std::string(reinterpret_cast<const char*>(ASN1_STRING_get0_data(text)),
                               static_cast<std::size_t>(ASN1_STRING_length(text)));
        }
        default:
            return std::nullopt;
    }
}

std::optional<Party> PartyFromAlternativeNames(const X509* certificate) {
    using Names = std::unique_ptr<GENERAL_NAMES, decltype(&GENERAL_NAMES_free)>;
    const Names names(static_cast<GENERAL_NAMES*>(
                          X509_get_ext_d2i(certificate, NID_subject_alt_name, nullptr, nullptr)),
                      GENERAL_NAMES_free);
    if (!names) {
        return std::nullopt;
    }
    std::optional<Party> person;
    for (int i = 0; i < sk_GENERAL_NAME_num(names.get()); ++i) {
        const GENERAL_NAME* name = sk_GENERAL_NAME_value(names.get(), i);
        if (name->type != GEN_OTHERNAME) {
            continue;
        }
        char oid[64];
        OBJ_obj2txt(oid, sizeof oid, name->d.otherName->type_id, 1);
        const std::optional<std::string> text = OtherNameText(name->d.otherName);
        if (!text) {
            continue;
        }
        if (oid == kCnpjOid) {
            if (auto party = PartyFromNumber(*text)) {
                return party;
            }
        } else if (oid == kPersonDataOid && text->size() >= 19) {
            person = PartyFromNumber(std::string_view(*text).substr(8, 11));
        }
    }
    return person;
}

}  // namespace

std::string CommonName(const X509_NAME* name) {
    const int index = X509_NAME_get_index_by_NID(name, NID_commonName, -1);
    if (index < 0) {
        return {};
    }
    const ASN1_STRING* data = X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index));
    unsigned char* utf8 = nullptr;
    const int length = ASN1_STRING_to_UTF8(&utf8, data);
    if (length < 0) {
        return {};
    }
    std::string text(reinterpret_cast<const char*>(utf8), static_cast<std::size_t>(length));
    OPENSSL_free(utf8);
    return text;
}

HolderIdentity IdentityOf(const X509* certificate) {
    HolderIdentity identity;
    identity.name = CommonName(X509_get_subject_name(certificate));
    std::optional<Party> fromName;
    if (const std::size_t colon = identity.name.rfind(':'); colon != std::string::npos) {
        fromName = PartyFromNumber(std::string_view(identity.name).substr(colon + 1));
        if (fromName) {
            identity.name.erase(colon);
        }
    }
    identity.party = PartyFromAlternativeNames(certificate);
    if (!identity.party) {
        identity.party = fromName;
    }
    return identity;
}

}  // namespace dfe
