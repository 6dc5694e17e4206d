#include <unistd.h>
#include <QApplication>
#include <QDate>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/connection_state.h"
#include "app/dialogs.h"
#include "app/file_locations.h"
#include "app/main_window.h"
#include "app/password_store.h"
#include "convert/convert_page_text.h"
#include "danfe/danfe_file.h"
#include "portal/webengine_browser.h"

int main(int argc, char* argv[]) {
    // --help and --version answer on the terminal, without a display.
    if (const auto information =
            app::InformationAsked(std::vector<std::string>(argv, argv + argc))) {
        std::cout << *information;
        return 0;
    }
    return app::RunProgram(std::cerr, [&] {
        // The browser engine refuses to start its sandbox for the root user.
        if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        }
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QApplication application(argc, argv);
        app::NameApplication();
        app::LoadQtTranslations();

        app::QtDialogs dialogs;
        app::KeychainPasswordStore passwords;
        app::Dependencies dependencies;
        try {
            const app::FileLocations locations = app::ChooseFileLocations(
                QCoreApplication::applicationDirPath().toStdString(),
                [](const std::filesystem::path& folder) {
                    return access(folder.c_str(), W_OK) == 0;
                },
                [](const char* name) { return std::getenv(name); });
            std::filesystem::create_directories(locations.workingFolder);
            dependencies.executableFolder = locations.workingFolder;
            dependencies.defaultOutputFolder = locations.defaultOutputFolder;
        } catch (const std::exception& error) {
            dialogs.Box(app::kApplicationTitle, QString::fromStdString(error.what()),
                        app::Icon::Error);
            return 1;
        }
        for (const auto& argument : QCoreApplication::arguments()) {
            dependencies.arguments.push_back(argument.toStdString());
        }
        dependencies.dialogs = &dialogs;
        dependencies.passwords = &passwords;
        dependencies.createBrowser = [](QWidget* host) {
            return std::make_unique<portal::WebEngineBrowser>(host);
        };
        dependencies.internetConnected = app::SystemConnectionState(dependencies.addresses);
        dependencies.today = [] {
            const auto today = QDate::currentDate();
            return app::CalendarDate{today.year(), today.month(), today.day()};
        };
        dependencies.converter = convert::ConvertPageText;
        dependencies.writeDanfe = [](const std::filesystem::path& invoiceFile) {
            danfe::WriteDanfeFile(invoiceFile, invoiceFile.parent_path());
        };
        dependencies.quit = [] { QCoreApplication::exit(0); };

        app::TfrmVLPrincipal window(std::move(dependencies));
        // Boxes over the window, never loose on the desktop.
        dialogs.SetParent(&window);
        window.show();
        QTimer::singleShot(0, &window,
                           [&window] { window.RunHandler([&] { window.FormShow(); }); });
        return application.exec();
    });
}
