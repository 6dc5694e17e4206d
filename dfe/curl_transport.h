#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dfe/certificate.h"
#include "dfe/secret.h"
#include "dfe/transport.h"

namespace dfe {

struct TlsSettings {
    // The client's certificate chain and private key as PEM, handed to the TLS library from
    // memory.
    std::string clientCertificatePem;
    Secret clientKeyPem;
    // Or the certificate itself, whose key may stay on a token: handed to OpenSSL as its own
    // objects. It must outlive the transport.
    const CompanyCertificate* clientCertificate = nullptr;
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
