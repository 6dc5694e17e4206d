#include "app/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace app {

void QtDialogs::Box(const QString& caption, const QString& text, Icon icon) {
    const auto qtIcon = icon == Icon::Error     ? QMessageBox::Critical
                        : icon == Icon::Warning ? QMessageBox::Warning
                                                : QMessageBox::NoIcon;
    QMessageBox box(qtIcon, caption, text, QMessageBox::Ok,
                    parent_ != nullptr ? parent_ : QApplication::activeWindow());
    box.exec();
}

std::optional<QString> QtDialogs::Input(const QString& caption, const QString& label) {
    bool ok = false;
    auto text = QInputDialog::getText(parent_ != nullptr ? parent_ : QApplication::activeWindow(),
                                      caption, label, QLineEdit::Normal, QString(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

void QtDialogs::Run(QDialog& dialog) {
    dialog.exec();
}

}  // namespace app
