#pragma once

#include <filesystem>
#include <string>

#include "dfe/secret.h"

namespace test_support {

// A SoftHSM2 token made once for the whole test program in a temporary folder, holding the
// sample A1's key and certificate (token "EMPRESA", object "empresa", id 01). SOFTHSM2_CONF
// is set in the program's environment, so that the module finds the token there, in this
// process and in the programs it starts.
struct TestToken {
    std::filesystem::path module;     // SoftHSM2's PKCS#11 module
    std::filesystem::path emptyConf;  // a SOFTHSM2_CONF whose folder holds no token
    std::string pin;
    std::string uri;  // the certificate's PKCS#11 URI

    dfe::Secret Pin() const { return dfe::Secret(pin); }
};

// Throws std::runtime_error when a tool (softhsm2-util, pkcs11-tool, openssl) fails.
const TestToken& SharedTestToken();

}  // namespace test_support
