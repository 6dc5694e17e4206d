#include "app/dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

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

std::optional<TypedPassword> QtDialogs::PasswordToKeep(const QString& caption,
                                                       const QString& label) {
    QDialog dialog(Owner(parent_));
    dialog.setWindowTitle(caption);
    auto* prompt = new QLabel(label, &dialog);
    auto* password = new QLineEdit(&dialog);
    password->setEchoMode(QLineEdit::Password);
    password->setAccessibleName(label);
    prompt->setBuddy(password);
    auto* keep = new QCheckBox(QStringLiteral("Guardar no chaveiro"), &dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(prompt);
    layout->addWidget(password);
    layout->addWidget(keep);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return TypedPassword{password->text(), keep->isChecked()};
}

bool QtDialogs::Ask(const QString& caption, const QString& text, const QString& yes,
                    const QString& no) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, Owner(parent_));
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(yesButton);
    box.setEscapeButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
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
