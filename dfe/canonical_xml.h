#pragma once

#include <libxml/tree.h>

#include <string>

namespace dfe {

// The element and everything inside it, comments left out, in inclusive canonical XML
// (2001-03-15): what an XML signature digests for a reference "#Id" and signs of SignedInfo.
// The namespaces in scope from the element's ancestors are written on it. Throws Error.
std::string CanonicalForm(xmlNode* element);

}  // namespace dfe
