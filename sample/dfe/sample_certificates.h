#pragma once

#include <filesystem>
#include <string>

namespace sample {

// The holder of the sample A1: the recipient of the sample invoices.
inline constexpr const char* kSampleHolderName = "INDUSTRIA BETA DE MAQUINAS S.A.";
inline constexpr const char* kSampleHolderCnpj = "44555666000181";

// The files of a sample certificate authority, a server certificate and a client A1, as the
// sample distribution service and the tests use them.
struct SampleCertificates {
    std::filesystem::path authority;  // ca.pem: trusts the server and the client
    std::filesystem::path server;     // server.pem, for 127.0.0.1 and localhost
    std::filesystem::path serverKey;  // server-key.pem
    std::filesystem::path a1;         // company.pfx: the holder's A1, modern encryption
    std::filesystem::path legacyA1;   // company-legacy.pfx: the same, RC2-40 as old files
};

// The file names in folder, whether or not they exist.
SampleCertificates SampleCertificatesIn(const std::filesystem::path& folder);

// Makes the authority, the server certificate and the A1 of the holder (an ICP-Brasil-like
// e-CNPJ: "NAME:CNPJ" as common name, the CNPJ in the other name 2.16.76.1.3.3) in folder,
// which is created when missing, with the openssl program. The A1 files are protected by
// password, which reaches openssl through its environment, never its command line; the
// keys of the authority and of the client are not kept. Throws std::runtime_error with
// openssl's message when a step fails.
SampleCertificates MakeSampleCertificates(const std::filesystem::path& folder,
                                          const std::string& password,
                                          const std::string& holderName = kSampleHolderName,
                                          const std::string& holderCnpj = kSampleHolderCnpj);

}  // namespace sample
