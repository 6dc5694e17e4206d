#include "dfe/pkcs11_uri.h"

#include <algorithm>
#include <array>
#include <utility>

#include "dfe/error.h"

namespace dfe {
namespace {

constexpr std::string_view kScheme = "pkcs11:";
constexpr const char* kPinInUri =
    "O endereço PKCS#11 não pode trazer o PIN: ele seria visto por quem lista os processos. "
    "Informe o PIN com --senha-arquivo, VELLORA_CERT_PASSWORD ou no terminal.";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string Decoded(std::string_view value, std::string_view name) {
    std::string decoded;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            decoded.push_back(value[i]);
            continue;
        }
        const int high = i + 2 < value.size() ? HexValue(value[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(value[i + 2]) : -1;
        if (low < 0) {
            throw CertificateError("O endereço PKCS#11 traz um \"%\" mal formado no atributo " +
                                   std::string(name) + ".");
        }
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return decoded;
}

// RFC 7512's unreserved characters and those a path attribute may carry as they are.
bool Plain(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-._~:[]@!$'()*+,=&").find(c) != std::string_view::npos;
}

void AppendAttribute(std::string& text, std::string_view name,
                     const std::optional<std::string>& value, bool encodeAll = false) {
    if (!value) {
        return;
    }
    if (text.size() > kScheme.size()) {
        text += ';';
    }
    text += name;
    text += '=';
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (const char c : *value) {
        if (!encodeAll && Plain(c)) {
            text += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        }
    }
}

}  // namespace

bool IsPkcs11Uri(std::string_view text) {
    return text.size() >= kScheme.size() &&
           std::equal(kScheme.begin(), kScheme.end(), text.begin(),
                      [](char a, char b) { return a == (b | 0x20) || a == b; });
}

Pkcs11Uri ParsePkcs11Uri(std::string_view text) {
    if (!IsPkcs11Uri(text)) {
        throw CertificateError("\"" + std::string(text.substr(0, 60)) +
                               "\" não é um endereço PKCS#11 (pkcs11:…).");
    }
    std::string_view path = text.substr(kScheme.size());
    std::string_view query;
    if (const std::size_t mark = path.find('?'); mark != std::string_view::npos) {
        query = path.substr(mark + 1);
        path = path.substr(0, mark);
    }
    for (std::string_view rest = query; !rest.empty();) {
        const std::size_t end = rest.find('&');
        const std::string_view attribute = rest.substr(0, end);
        if (attribute.starts_with("pin-value=") || attribute.starts_with("pin-source=")) {
            throw CertificateError(kPinInUri);
        }
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }

    Pkcs11Uri uri;
    const std::array<std::pair<std::string_view, std::optional<std::string>*>, 7> fields{{
        {"token", &uri.token},
        {"manufacturer", &uri.manufacturer},
        {"model", &uri.model},
        {"serial", &uri.serial},
        {"object", &uri.object},
        {"id", &uri.id},
        {"type", &uri.type},
    }};
    for (std::string_view rest = path; !rest.empty();) {
        const std::size_t end = rest.find(';');
        const std::string_view attribute = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::size_t equals = attribute.find('=');
        const std::string_view name = attribute.substr(0, equals);
        if (name == "pin-value" || name == "pin-source") {
            throw CertificateError(kPinInUri);
        }
        if (equals == std::string_view::npos) {
            throw CertificateError("O atributo \"" + std::string(name.substr(0, 40)) +
                                   "\" do endereço PKCS#11 não tem valor.");
        }
        const auto known = std::find_if(fields.begin(), fields.end(),
                                        [name](const auto& field) { return field.first == name; });
        if (known == fields.end()) {
            // The slot and the library are the module's business; the token's attributes
            // name it wherever it is plugged.
            if (name.starts_with("slot-") || name.starts_with("library-")) {
                continue;
            }
            throw CertificateError("O endereço PKCS#11 traz o atributo desconhecido \"" +
                                   std::string(name.substr(0, 40)) + "\".");
        }
        if (*known->second) {
            throw CertificateError("O endereço PKCS#11 repete o atributo " + std::string(name) +
                                   ".");
        }
        *known->second = Decoded(attribute.substr(equals + 1), name);
    }
    return uri;
}

std::string Pkcs11Uri::Text() const {
    std::string text(kScheme);
    AppendAttribute(text, "token", token);
    AppendAttribute(text, "manufacturer", manufacturer);
    AppendAttribute(text, "model", model);
    AppendAttribute(text, "serial", serial);
    AppendAttribute(text, "object", object);
    AppendAttribute(text, "id", id, true);
    AppendAttribute(text, "type", type);
    return text;
}

}  // namespace dfe
