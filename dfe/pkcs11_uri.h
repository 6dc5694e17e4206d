#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dfe {

// What a PKCS#11 URI (RFC 7512) names: the token by its label, maker, model or serial number,
// and the object on it by its label (object=) or its id (id=, raw bytes). An attribute the
// URI leaves out matches anything.
struct Pkcs11Uri {
    std::optional<std::string> token;
    std::optional<std::string> manufacturer;
    std::optional<std::string> model;
    std::optional<std::string> serial;
    std::optional<std::string> object;
    std::optional<std::string> id;
    std::optional<std::string> type;  // "cert", "private", …

    // The URI as text, each value percent-encoded where it must be.
    std::string Text() const;
};

// Whether text is written as a PKCS#11 URI ("pkcs11:…"), as opposed to a file name.
bool IsPkcs11Uri(std::string_view text);

// Reads a PKCS#11 URI. Throws CertificateError when it is not one, when an attribute is
// repeated or badly encoded, or when it carries the PIN (pin-value, pin-source): a PIN written
// on a command line or in a setting is seen by anyone who lists the processes.
Pkcs11Uri ParsePkcs11Uri(std::string_view text);

}  // namespace dfe
