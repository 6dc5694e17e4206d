#include "tests/support-qt/qt_application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace test_support {

void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    static int argc = 1;
    static char name[] = "vellora-tests";
    static char* argv[] = {name, nullptr};
    // Left alive until the process ends: the browser engine does not like to be torn down
    // and brought up again.
    new QApplication(argc, argv);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() >= limit.count()) {
            return false;
        }
        QEventLoop pause;
        QTimer::singleShot(10, &pause, &QEventLoop::quit);
        pause.exec();
    }
    return true;
}

}  // namespace test_support
