#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <iostream>

#include "dfe/core_dumps.h"
#include "dfe/error.h"
#include "inbox/catalog_location.h"
#include "inbox/child_commands.h"
#include "inbox/command_line.h"
#include "inbox/notes_window.h"
#include "inbox/qt_dialogs.h"
#include "vellora/version.h"

namespace {

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // The certificates' passwords pass through this process on their way to vellora-dfe.
    dfe::ForbidCoreDumps();
    const inbox::NotesArguments arguments = inbox::ParseNotesArguments(
        std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (arguments.help) {
        std::cout << inbox::kNotesHelp;
        return 0;
    }
    if (arguments.version) {
        std::cout << "vellora-notas " << kVelloraVersion << "\n";
        return 0;
    }
    if (!arguments.error.empty()) {
        std::cerr << "vellora-notas: " << arguments.error
                  << "\nUse vellora-notas --help para ver a ajuda.\n";
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vellora"));
    QApplication::setApplicationName(QStringLiteral("vellora-notas"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVelloraVersion));
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&translator);
    }

    inbox::NotesWindowSetup setup;
    try {
        setup.catalogFile = inbox::CatalogLocation(Variable("VELLORA_CATALOGO"),
                                                   Variable("XDG_DATA_HOME"), Variable("HOME"));
    } catch (const dfe::Error& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    const auto program =
        inbox::FindProgram("vellora-dfe", QCoreApplication::applicationDirPath().toStdString(),
                           Variable("PATH") != nullptr ? Variable("PATH") : "");
    setup.dfeProgram = program.value_or("vellora-dfe");
    if (const char* authority = Variable("VELLORA_DFE_CA")) {
        setup.authorities.emplace_back(authority);
    }
    const dfe::SystemClock clock;
    setup.clock = &clock;
    inbox::NotesWindow window(setup);
    inbox::QtDialogs dialogs(&window);
    // The dialogs need the window as their parent, so they come after it.
    window.SetDialogs(&dialogs);
    window.ChooseCompany(arguments.company);
    window.show();
    return QApplication::exec();
}
