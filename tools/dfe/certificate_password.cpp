#include "tools/dfe/certificate_password.h"

#include "dfe/pkcs11_uri.h"

#include <fstream>
#include <stdexcept>

namespace tools {
namespace {

dfe::Secret ReadPasswordFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("O arquivo de senha \"" + file + "\" não pôde ser aberto.");
    }
    dfe::Secret password;
    password.Reserve(kMaxPasswordBytes + 1);
    for (char c; password.size() <= kMaxPasswordBytes && in.get(c) && c != '\n';) {
        password.Append(c);
    }
    if (in.bad() || password.size() > kMaxPasswordBytes) {
        throw std::runtime_error("O arquivo de senha \"" + file + "\" não pôde ser lido.");
    }
    password.Append('\n');
    password.DropFinalLineEnd();  // and the CR of a CR LF line end
    return password;
}

}  // namespace

dfe::Secret CertificatePassword(const std::string& passwordFile, const char* variable,
                                const PasswordPrompt& prompt, const std::string& certificate) {
    if (!passwordFile.empty()) {
        return ReadPasswordFile(passwordFile);
    }
    if (variable != nullptr && *variable != '\0') {
        return dfe::Secret(variable);
    }
    if (prompt) {
        if (std::optional<dfe::Secret> typed =
                prompt((dfe::IsPkcs11Uri(certificate) ? "PIN do token do certificado "
                                                      : "Senha do certificado ") +
                       certificate + ": ")) {
            return std::move(*typed);
        }
    }
    throw std::runtime_error(
        dfe::IsPkcs11Uri(certificate)
            ? "Falta o PIN do token do certificado: use --senha-arquivo ARQUIVO ou a variável "
              "VELLORA_CERT_PASSWORD, ou rode o programa num terminal para digitá-lo."
            : "Falta a senha do certificado: use --senha-arquivo ARQUIVO ou a variável "
              "VELLORA_CERT_PASSWORD, ou rode o programa num terminal para digitá-la.");
}

}  // namespace tools
