#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dfe/certificate.h"
#include "dfe/transport.h"

namespace dfe {

struct TlsSettings {
    // The client's certificate, with the authorities that came with it, and its key, in
    // memory or on a token: handed to OpenSSL as its own objects, never as text.
    std::optional<CompanyCertificate> clientCertificate;
    // Certificate authorities trusted besides the system's (PEM files).
    std::vector<std::filesystem::path> extraAuthorities;
    std::chrono::seconds connectTimeout{30};
    std::chrono::seconds totalTimeout{120};
    // Asked while a request runs; true abandons it at once (the person closed the window).
    std::function<bool()> stopRequested;
};

// HTTPS with libcurl and OpenSSL: the client presents its certificate (mutual TLS), and the
// server's certificate is always verified, against the system's authorities and the extra
// ones, with its host name. Only https:// addresses are followed; redirects are not.
class CurlTransport : public Transport {
public:
    // Throws Error when an extra authority file cannot be read or holds no certificate.
    explicit CurlTransport(TlsSettings settings);
    ~CurlTransport() override;

    HttpAnswer Post(const std::string& url, std::string_view body,
                    std::string_view contentType) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace dfe
