#include "app/application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <new>
#include <string_view>

#include "dfe/core_dumps.h"
#include "files/system_error_text.h"

namespace app {
namespace {

[[noreturn]] void EndWithoutAbort() {
    constexpr std::string_view kMessage =
        "vellora: erro interno inesperado; o programa terminou.\n";
    [[maybe_unused]] const ssize_t written =
        ::write(STDERR_FILENO, kMessage.data(), kMessage.size());
    std::_Exit(1);
}

}  // namespace

int RunProgram(std::ostream& err, const std::function<int()>& body) {
    dfe::ForbidCoreDumps();
    std::set_terminate(EndWithoutAbort);
    try {
        return body();
    } catch (const std::bad_alloc&) {
        err << "vellora: memória insuficiente; o programa terminou.\n" << std::flush;
    } catch (const std::exception& error) {
        err << "vellora: " << files::ExceptionText(error) << "\n" << std::flush;
    } catch (...) {
        err << "vellora: erro inesperado; o programa terminou.\n" << std::flush;
    }
    return 1;
}

void NameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("vellora"));
}

bool LoadQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace app
