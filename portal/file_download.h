#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "portal/client_certificate.h"

namespace portal {

// A download that did not complete; the text says what happened, in Portuguese.
class DownloadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DownloadRequest {
    std::string address;
    std::filesystem::path file;
    std::string agent;    // the User-Agent: the executable's file name
    std::string cookies;  // a Cookie header, empty for none
    std::chrono::milliseconds limit = std::chrono::seconds(60);  // without any data arriving
    // Presented when the server asks for a client certificate; none when null.
    std::shared_ptr<const ClientCertificate> certificate = {};
    // Authorities trusted besides the system's for the server's certificate.
    std::vector<std::filesystem::path> trustedAuthorities = {};
};

// Fetches the address with the system's proxy settings and writes the body to the file in
// pieces, through a temporary file that takes the file's name only once the whole body is
// there. On a network error, a status other than 2xx, a transfer that broke off or one that
// the program's closing cut short, throws DownloadError and leaves the file as it was before. An
// empty body gives an empty file. Window events are handled while the transfer runs.
void BaixarArquivo(const DownloadRequest& download);

}  // namespace portal
