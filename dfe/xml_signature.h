#pragma once

#include <libxml/tree.h>
#include <openssl/types.h>

#include "dfe/certificate.h"

namespace dfe {

// Signs element with an enveloped XML signature placed right after it, as the national
// environment's messages carry it: inclusive canonicalisation (2001-03-15), the transforms
// enveloped-signature then that canonicalisation, RSA-SHA1 with a SHA-1 digest, the reference
// "#" + the element's Id attribute, and the certificate in KeyInfo/X509Data. Nothing is
// indented or wrapped, as the service refuses white space between tags. The signature value
// comes from the certificate's key, in memory for an A1 and on the token for an A3. Throws
// Error.
void SignEnveloped(xmlNode* element, const CompanyCertificate& certificate);

// Whether the signature right after element is that method's, references element by its Id
// and nothing else, and verifies with key (a public key). Throws Error only when the
// verification cannot be carried out at all.
bool VerifyEnveloped(xmlNode* element, EVP_PKEY* key);

}  // namespace dfe
