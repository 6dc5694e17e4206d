#include "tools/program_guard.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

#include "files/system_error_text.h"

namespace tools {
namespace {

[[noreturn]] void EndWithoutAbort() {
    constexpr std::string_view kMessage = "Erro interno inesperado; o programa terminou.\n";
    [[maybe_unused]] const ssize_t written =
        ::write(STDERR_FILENO, kMessage.data(), kMessage.size());
    std::_Exit(1);
}

}  // namespace

int RunGuarded(std::string_view program, std::ostream& out, std::ostream& err,
               const std::function<int()>& body) {
    std::set_terminate(EndWithoutAbort);
    // A closed pipe on standard output is a failed write to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    int status = 1;
    try {
        status = body();
    } catch (const std::bad_alloc&) {
        err << program << ": memória insuficiente; o programa terminou.\n" << std::flush;
        return 1;
    } catch (const std::exception& error) {
        err << program << ": " << files::ExceptionText(error) << "\n" << std::flush;
        return 1;
    } catch (...) {
        err << program << ": erro inesperado; o programa terminou.\n" << std::flush;
        return 1;
    }
    out.flush();
    if (!out) {
        err << program
            << ": a saída padrão não pôde ser escrita (a lista dos arquivos gravados está "
               "incompleta).\n"
            << std::flush;
        return status == 0 ? 1 : status;
    }
    return status;
}

}  // namespace tools
