#pragma once

#include <string>

#include "dfe/secret.h"
#include "sample/dfe/sample_certificates.h"

namespace test_support {

// The sample certificates, made once for the whole test program in a temporary folder by the
// openssl program, with a password of their own; removed when the program ends.
struct TestCertificates {
    sample::SampleCertificates files;
    std::string password;

    dfe::Secret Password() const { return dfe::Secret(password); }
};

const TestCertificates& SharedTestCertificates();

}  // namespace test_support
