#include "app/application.h"

#include <QGuiApplication>

namespace app {

void NameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("vellora"));
    QGuiApplication::setApplicationDisplayName(kApplicationTitle);
}

}  // namespace app
