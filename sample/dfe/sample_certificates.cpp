#include "sample/dfe/sample_certificates.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace sample {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPasswordVariable = "VELLORA_SAMPLE_A1_PASSWORD";

std::string Configuration(const std::string& holderCnpj) {
    return R"([req]
distinguished_name = subject
prompt = no
[subject]
CN = unused
[authority]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[server]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = IP:127.0.0.1, DNS:localhost
[client]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, nonRepudiation, keyEncipherment
extendedKeyUsage = clientAuth, emailProtection
subjectAltName = otherName:2.16.76.1.3.3;PRINTABLESTRING:)" +
           holderCnpj + "\n";
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// Runs openssl with arguments in folder; its output goes to a log that a failure reports.
void Openssl(const fs::path& folder, std::vector<std::string> arguments,
             const std::string& password) {
    arguments.insert(arguments.begin(), "openssl");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string_view(*variable).starts_with(kPasswordVariable)) {
            variables.emplace_back(*variable);
        }
    }
    variables.push_back(std::string(kPasswordVariable) + "=" + password);
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    const fs::path log = folder / "openssl.log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t child = 0;
    const int spawned =
        posix_spawnp(&child, "openssl", &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    for (std::string& variable : variables) {
        std::fill(variable.begin(), variable.end(), '\0');
    }
    if (spawned != 0) {
        throw std::runtime_error("cannot run openssl (is the openssl package installed?)");
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::ifstream in(log);
        const std::string output{std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()};
        throw std::runtime_error("openssl " + arguments[1] + " failed: " + output);
    }
    fs::remove(log);
}

}  // namespace

SampleCertificates SampleCertificatesIn(const fs::path& folder) {
    return {folder / "ca.pem",      folder / "server.pem",         folder / "server-key.pem",
            folder / "company.pfx", folder / "company-legacy.pfx", folder / "carrier.pfx"};
}

SampleCertificates MakeSampleCertificates(const fs::path& folder, const std::string& password,
                                          const std::string& holderName,
                                          const std::string& holderCnpj) {
    fs::create_directories(folder);
    const SampleCertificates files = SampleCertificatesIn(folder);
    WriteText(folder / "openssl.cnf", Configuration(holderCnpj));
    const std::string passwordSource = std::string("env:") + kPasswordVariable;
    const auto run = [&](std::vector<std::string> arguments) {
        Openssl(folder, std::move(arguments), password);
    };

    // Elliptic keys for the authority and the server are quick to make; the A1 holds an RSA
    // key, as ICP-Brasil certificates do.
    run({"req",         "-config",  "openssl.cnf",
         "-x509",       "-new",     "-newkey",
         "ec",          "-pkeyopt", "ec_paramgen_curve:P-256",
         "-nodes",      "-keyout",  "ca-key.pem",
         "-out",        "ca.pem",   "-days",
         "3650",        "-subj",    "/O=Vellora/CN=Vellora Sample CA",
         "-extensions", "authority"});
    run({"req", "-config", "openssl.cnf", "-new", "-newkey", "ec", "-pkeyopt",
         "ec_paramgen_curve:P-256", "-nodes", "-keyout", "server-key.pem", "-out", "server.csr",
         "-subj", "/O=Vellora/CN=127.0.0.1"});
    run({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca-key.pem",
         "-set_serial", "2", "-days", "825", "-extfile", "openssl.cnf", "-extensions", "server",
         "-out", "server.pem"});
    // Each client's other name carries its own CNPJ, so the configuration is written anew for
    // each.
    const auto makeClient = [&](const std::string& name, const std::string& cnpj,
                                const std::string& serial) {
        WriteText(folder / "openssl.cnf", Configuration(cnpj));
        run({"req", "-config", "openssl.cnf", "-new", "-newkey", "rsa:2048", "-nodes", "-keyout",
             "client-key.pem", "-out", "client.csr", "-subj",
             "/C=BR/O=ICP-Brasil/OU=Vellora Sample/CN=" + name + ":" + cnpj});
        run({"x509", "-req", "-in", "client.csr", "-CA", "ca.pem", "-CAkey", "ca-key.pem",
             "-set_serial", serial, "-days", "365", "-extfile", "openssl.cnf", "-extensions",
             "client", "-out", "client.pem"});
        return std::vector<std::string>{
            "pkcs12",    "-export", "-in",   "client.pem", "-inkey",   "client-key.pem",
            "-certfile", "ca.pem",  "-name", name,         "-passout", passwordSource};
    };
    const std::vector<std::string> export_ = makeClient(holderName, holderCnpj, "3");
    std::vector<std::string> modern = export_;
    modern.insert(modern.end(), {"-out", files.a1.filename().string()});
    run(modern);
    std::vector<std::string> legacy = export_;
    legacy.insert(legacy.end(), {"-legacy", "-out", files.legacyA1.filename().string()});
    run(legacy);
    std::vector<std::string> carrier =
        makeClient(kAlphanumericCarrierName, kAlphanumericCarrierCnpj, "4");
    carrier.insert(carrier.end(), {"-out", files.alphanumericCarrierA1.filename().string()});
    run(carrier);

    for (const char* name : {"ca-key.pem", "client-key.pem", "client.pem", "server.csr",
                             "client.csr", "openssl.cnf"}) {
        fs::remove(folder / name);
    }
    return files;
}

}  // namespace sample
