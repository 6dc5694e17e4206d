#include "danfe/gui_session.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace danfe {

GuiSession::GuiSession() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

GuiSession::~GuiSession() = default;

}  // namespace danfe
