#pragma once

#include <stdexcept>

namespace dfe {

// Every failure of the official route; the message is meant for the person and is in
// Portuguese.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The certificate file cannot be used: not PKCS#12, a wrong password, expired, no CNPJ/CPF.
class CertificateError : public Error {
public:
    using Error::Error;
};

// The certificate file refuses the password.
class WrongPasswordError : public CertificateError {
public:
    using CertificateError::CertificateError;
};

// The service's answer, or a document inside it, cannot be read.
class AnswerError : public Error {
public:
    using Error::Error;
};

// The use of the service kept in the user's data folder cannot be read or written.
class StateError : public Error {
public:
    using Error::Error;
};

}  // namespace dfe
