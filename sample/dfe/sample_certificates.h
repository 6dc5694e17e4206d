#pragma once

#include <filesystem>
#include <string>

namespace sample {

// The holder of the sample A1: the recipient of the sample invoices.
inline constexpr const char* kSampleHolderName = "INDUSTRIA BETA DE MAQUINAS S.A.";
inline constexpr const char* kSampleHolderCnpj = "44555666000181";

// The holder of a second sample A1: the carrier of the invoice issued by a company whose CNPJ
// holds letters, and such a company itself.
inline constexpr const char* kAlphanumericCarrierName = "TRANSPORTES ZETA LTDA";
inline constexpr const char* kAlphanumericCarrierCnpj = "K7M2QX9L000174";

// The files of a sample certificate authority, a server certificate and a client A1, as the
// sample distribution service and the tests use them.
struct SampleCertificates {
    std::filesystem::path authority;  // ca.pem: trusts the server and the client
    std::filesystem::path server;     // server.pem, for 127.0.0.1 and localhost
    std::filesystem::path serverKey;  // server-key.pem
    std::filesystem::path a1;         // company.pfx: the holder's A1, modern encryption
    std::filesystem::path legacyA1;   // company-legacy.pfx: the same, RC2-40 as old files
    std::filesystem::path alphanumericCarrierA1;  // carrier.pfx: the second holder's A1
};

// The file names in folder, whether or not they exist.
SampleCertificates SampleCertificatesIn(const std::filesystem::path& folder);

// Makes the authority, the server certificate, the A1 of the holder and that of the carrier
// (ICP-Brasil-like e-CNPJs: "NAME:CNPJ" as common name, the CNPJ in the other name
// 2.16.76.1.3.3) in folder, which is created when missing, with the openssl program. The A1
// files are protected by password, which reaches openssl through its environment, never its
// command line; the keys of the authority and of the clients are not kept. Throws
// std::runtime_error with openssl's message when a step fails.
SampleCertificates MakeSampleCertificates(const std::filesystem::path& folder,
                                          const std::string& password,
                                          const std::string& holderName = kSampleHolderName,
                                          const std::string& holderCnpj = kSampleHolderCnpj);

}  // namespace sample
