#include "tools/dfe/certificate_password.h"

#include "dfe/pkcs11_uri.h"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

namespace tools {
namespace {

constexpr std::size_t kMaxPasswordBytes = 4096;

// The terminal whose echo is off, for the signal handler that turns it back on.
volatile sig_atomic_t gTerminal = -1;
termios gSavedTerminal;

void RestoreAndStop(int signal) {
    if (gTerminal >= 0) {
        tcsetattr(gTerminal, TCSAFLUSH, &gSavedTerminal);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

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
        "Falta a senha do certificado: use --senha-arquivo ARQUIVO ou a variável "
        "VELLORA_CERT_PASSWORD, ou rode o programa num terminal para digitá-la.");
}

std::optional<dfe::Secret> PromptOnTerminal(const std::string& prompt, const char* terminal) {
    const int device = ::open(terminal, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (device < 0) {
        return std::nullopt;
    }
    termios saved{};
    if (tcgetattr(device, &saved) != 0) {
        ::close(device);
        return std::nullopt;
    }
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;

    gSavedTerminal = saved;
    gTerminal = device;
    struct sigaction restore {};
    restore.sa_handler = RestoreAndStop;
    sigemptyset(&restore.sa_mask);
    struct sigaction previous[3];
    const int signals[3] = {SIGINT, SIGTERM, SIGHUP};
    for (int i = 0; i < 3; ++i) {
        sigaction(signals[i], &restore, &previous[i]);
    }

    tcsetattr(device, TCSAFLUSH, &quiet);
    [[maybe_unused]] const ssize_t shown = ::write(device, prompt.data(), prompt.size());
    dfe::Secret password;
    password.Reserve(kMaxPasswordBytes + 1);
    bool complete = false;
    for (char c;;) {
        const ssize_t got = ::read(device, &c, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || c == '\n' || password.size() == kMaxPasswordBytes) {
            complete = got > 0;
            break;
        }
        password.Append(c);
    }
    password.Append('\n');
    password.DropFinalLineEnd();

    tcsetattr(device, TCSAFLUSH, &saved);
    for (int i = 0; i < 3; ++i) {
        sigaction(signals[i], &previous[i], nullptr);
    }
    gTerminal = -1;
    ::close(device);
    if (!complete) {
        return std::nullopt;
    }
    return password;
}

}  // namespace tools
