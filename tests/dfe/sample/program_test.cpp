// The two programs as a person runs them: the sample distribution service in its own
// process, and vellora-dfe against it.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "sample/dfe/distribution_server.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

extern char** environ;

namespace sample {
namespace {

using ::testing::HasSubstr;

struct Output {
    int status = -1;
    std::string text;  // standard output and standard error together
};

Output RunCommand(const std::string& command) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    Output output;
    char buffer[4096];
    for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.text.append(buffer, read);
    }
    output.status = WEXITSTATUS(pclose(pipe));
    return output;
}

// The sample service started with arguments, read up to the port on its first line; stopped
// at the end of the test.
class RunningService {
public:
    explicit RunningService(std::vector<std::string> arguments) {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        arguments.insert(arguments.begin(), SAMPLE_DFE_PROGRAM);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = 0;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        out_ = out[0];
        pollfd ready{out_, POLLIN, 0};
        char c = 0;
        while (pid_ != 0 && firstLine_.find('\n') == std::string::npos &&
               poll(&ready, 1, 30000) == 1 && read(out_, &c, 1) == 1) {
            firstLine_ += c;
        }
    }
    ~RunningService() {
        if (pid_ != 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
        if (out_ >= 0) {
            close(out_);
        }
    }
    RunningService(const RunningService&) = delete;
    RunningService& operator=(const RunningService&) = delete;

    int port() const { return std::atoi(firstLine_.c_str()); }

private:
    pid_t pid_ = 0;
    int out_ = -1;
    std::string firstLine_;
};

TEST(Programs, VelloraDfeFetchesAnInvoiceFromTheSampleService) {
    const auto& certificates = test_support::SharedTestCertificates();
    RunningService service(
        {"--certificates", certificates.files.authority.parent_path().string(), "--port", "0"});
    ASSERT_GT(service.port(), 0);

    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "senha", certificates.password + "\n");
    const std::string key = "35150761024385000111550010000001011102030405";
    const Output run = RunCommand(
        "VELLORA_CERT_PASSWORD= XDG_DATA_HOME='" + (folder / "data").string() +
        "' VELLORA_DFE_URL=https://127.0.0.1:" + std::to_string(service.port()) +
        kDistributionPath + " " + DFE_PROGRAM + " chave -o '" + (folder / "notas").string() +
        "' --certificado '" + certificates.files.a1.string() + "' --senha-arquivo '" +
        (folder / "senha").string() + "' --ca '" + certificates.files.authority.string() + "' " +
        key + " </dev/null");
    EXPECT_EQ(run.status, 0) << run.text;
    const std::string file = (folder / "notas" / (key + "-procNFe.xml")).string();
    EXPECT_EQ(run.text, file + "\n");
    EXPECT_THAT(test_support::ReadFile(file), HasSubstr("<chNFe>" + key + "</chNFe>"));
    EXPECT_TRUE(std::filesystem::exists(folder / "data" / "vellora" / "dfe"));
}

TEST(Programs, VelloraDfeRegistersTheCienciaAndFetchesTheFullInvoiceInOneRun) {
    const auto& certificates = test_support::SharedTestCertificates();
    RunningService service(
        {"--certificates", certificates.files.authority.parent_path().string(), "--port", "0"});
    ASSERT_GT(service.port(), 0);

    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "senha", certificates.password + "\n");
    const std::string key = "35160361024385000111550010000001091901020309";
    // setsid leaves the program without a terminal, where only --sim confirms the Ciência.
    const std::string command =
        "VELLORA_CERT_PASSWORD= XDG_DATA_HOME='" + (folder / "data").string() +
        "' VELLORA_DFE_URL=https://127.0.0.1:" + std::to_string(service.port()) +
        kDistributionPath + " setsid " + DFE_PROGRAM + " chave --ciencia -o '" +
        (folder / "notas").string() + "' --certificado '" + certificates.files.a1.string() +
        "' --senha-arquivo '" + (folder / "senha").string() + "' --ca '" +
        certificates.files.authority.string() + "' " + key + " </dev/null";
    const Output refused = RunCommand(command);
    EXPECT_EQ(refused.status, 2) << refused.text;
    const Output run = RunCommand(command + " --sim");
    EXPECT_EQ(run.status, 0) << run.text;
    EXPECT_THAT(run.text, HasSubstr("Ciência da Operação registrada (135"));
    EXPECT_TRUE(std::filesystem::exists(folder / "notas" / (key + "-210210-01-procEventoNFe.xml")));
    EXPECT_THAT(test_support::ReadFile(folder / "notas" / (key + "-procNFe.xml")),
                HasSubstr("<chNFe>" + key + "</chNFe>"));
}

TEST(Programs, ExplainThemselves) {
    const Output list = RunCommand(std::string(SAMPLE_DFE_PROGRAM) + " --list");
    EXPECT_EQ(list.status, 0);
    EXPECT_THAT(list.text, HasSubstr("35160361024385000111550010000001091901020309  resNFe "));
    const Output wrong = RunCommand(std::string(SAMPLE_DFE_PROGRAM) + " --port 1");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_THAT(wrong.text, HasSubstr("--certificates FOLDER is required"));

    const Output help = RunCommand(std::string(DFE_PROGRAM) + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.text, HasSubstr("Uso: vellora-dfe certificado"));
    const Output usage = RunCommand(std::string(DFE_PROGRAM) + " chave");
    EXPECT_EQ(usage.status, 2);
}

}  // namespace
}  // namespace sample
