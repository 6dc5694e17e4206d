#include "portal/body_wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace portal {

std::optional<std::string> WaitForBody(Browser& browser, std::chrono::milliseconds limit) {
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        QCoreApplication::processEvents();
        if (auto body = browser.BodyInnerHtml()) {
            return body;
        }
        if (elapsed.elapsed() >= limit.count()) {
            return std::nullopt;
        }
        // A short pause between questions, handling events all the while.
        QEventLoop pause;
        QTimer::singleShot(std::chrono::milliseconds(50), &pause, &QEventLoop::quit);
        pause.exec();
    }
}

}  // namespace portal
