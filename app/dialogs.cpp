#include "app/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace app {

namespace {

// A box opens over the open modal dialog (the settings), else over the program's window.
QWidget* Owner(QWidget* parent) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return parent != nullptr ? parent : QApplication::activeWindow();
}

}  // namespace

void QtDialogs::Box(const QString& caption, const QString& text, Icon icon) {
    const auto qtIcon = icon == Icon::Error     ? QMessageBox::Critical
                        : icon == Icon::Warning ? QMessageBox::Warning
                                                : QMessageBox::NoIcon;
    QMessageBox box(qtIcon, caption, text, QMessageBox::Ok, Owner(parent_));
    box.exec();
}

std::optional<QString> QtDialogs::Password(const QString& caption, const QString& label) {
    bool ok = false;
    auto text =
        QInputDialog::getText(Owner(parent_), caption, label, QLineEdit::Password, QString(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

std::optional<QString> QtDialogs::OpenFile(const QString& caption, const QString& filter) {
    auto file = QFileDialog::getOpenFileName(Owner(parent_), caption, QString(), filter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

void QtDialogs::Run(QDialog& dialog) {
    dialog.exec();
}

}  // namespace app
