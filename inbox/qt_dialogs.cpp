#include "inbox/qt_dialogs.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <cstdlib>

#include "dfe/certificate_source.h"
#include "dfe/error.h"
#include "dfe/token_choice.h"
#include "inbox/manifestation.h"

namespace inbox {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A line for a file name with a button that opens the file dialog.
QWidget* FileField(QLineEdit* edit, QWidget* parent, bool folder) {
    auto* field = new QWidget(parent);
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* choose = new QPushButton(QStringLiteral("Escolher…"), field);
    layout->addWidget(edit);
    layout->addWidget(choose);
    QObject::connect(choose, &QPushButton::clicked, field, [edit, field, folder] {
        const QString chosen =
            folder ? QFileDialog::getExistingDirectory(field, QStringLiteral("Pasta das notas"))
                   : QFileDialog::getOpenFileName(field, QStringLiteral("Certificado A1"), {},
                                                  QStringLiteral("Certificado A1 (*.pfx *.p12)"));
        if (!chosen.isEmpty()) {
            edit->setText(chosen);
        }
    });
    return field;
}

}  // namespace

bool QtDialogs::Confirm(const std::string& title, const std::string& text) {
    return QMessageBox::question(parent_, Text(title), Text(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::Tell(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Information, Text(title), Text(text), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<CompanyEntry> QtDialogs::AskCompany() {
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("Adicionar empresa"));
    auto* form = new QFormLayout(&dialog);
    auto* certificate = new QLineEdit(&dialog);
    auto* password = new QLineEdit(&dialog);
    password->setEchoMode(QLineEdit::Password);
    auto* folder = new QLineEdit(&dialog);
    folder->setPlaceholderText(QStringLiteral("~/Vellora/notas"));
    auto* homologation = new QCheckBox(QStringLiteral("Ambiente de homologação"), &dialog);
    certificate->setPlaceholderText(QStringLiteral("arquivo A1 (.pfx), ou A3: Token…"));
    QWidget* certificateField = FileField(certificate, &dialog, false);
    auto* token = new QPushButton(QStringLiteral("Token…"), certificateField);
    certificateField->layout()->addWidget(token);
    QObject::connect(token, &QPushButton::clicked, &dialog,
                     [this, certificate] { ChooseTokenCertificate(*certificate); });
    form->addRow(QStringLiteral("Certificado:"), certificateField);
    form->addRow(QStringLiteral("Senha ou PIN:"), password);
    form->addRow(QStringLiteral("Pasta das notas:"), FileField(folder, &dialog, true));
    form->addRow(homologation);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted || certificate->text().trimmed().isEmpty()) {
        return std::nullopt;
    }
    CompanyEntry entry;
    entry.company.certificate = certificate->text().trimmed().toStdString();
    entry.company.folder = folder->text().trimmed().toStdString();
    entry.company.homologation = homologation->isChecked();
    entry.password = dfe::Secret(password->text().toStdString());
    password->clear();
    return entry;
}

void QtDialogs::ChooseTokenCertificate(QLineEdit& certificate) {
    std::vector<dfe::TokenChoice> choices;
    try {
        choices =
            dfe::TokenChoices(dfe::Pkcs11ModuleOrDefault(std::getenv("VELLORA_PKCS11_MODULE")));
    } catch (const dfe::CertificateError& error) {
        Tell("Certificado A3", error.what());
        return;
    }
    if (choices.empty()) {
        Tell("Certificado A3",
             "Nenhum certificado foi encontrado nos tokens e cartões presentes: conecte o token "
             "(para um cartão, o leitor e o serviço pcscd).");
        return;
    }
    QStringList items;
    for (const dfe::TokenChoice& choice : choices) {
        items << Text(choice.text);
    }
    bool accepted = false;
    const QString chosen = QInputDialog::getItem(
        parent_, QStringLiteral("Certificado A3"),
        QStringLiteral("Certificados nos tokens presentes:"), items, 0, false, &accepted);
    if (accepted) {
        certificate.setText(Text(choices[static_cast<std::size_t>(items.indexOf(chosen))].uri));
    }
}

std::optional<dfe::Secret> QtDialogs::AskPin(const std::string& question) {
    bool accepted = false;
    QString typed = QInputDialog::getText(parent_, QStringLiteral("PIN do token"), Text(question),
                                          QLineEdit::Password, {}, &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    dfe::Secret pin(typed.toStdString());
    typed.fill(QChar(u'\0'));
    return pin;
}

std::optional<std::string> QtDialogs::AskJustification() {
    while (true) {
        bool accepted = false;
        const QString text = QInputDialog::getMultiLineText(
            parent_, Text(std::string(ManifestationTitle(Manifestation::naoRealizada))),
            QStringLiteral("Justificativa (de 15 a 255 caracteres):"), {}, &accepted);
        if (!accepted) {
            return std::nullopt;
        }
        const std::string justification = text.simplified().toStdString();
        if (const auto problem = JustificationProblem(justification)) {
            Tell("Justificativa", *problem);
            continue;
        }
        return justification;
    }
}

std::optional<std::filesystem::path> QtDialogs::AskCsvFile(const std::filesystem::path& suggested) {
    const QString file =
        QFileDialog::getSaveFileName(parent_, QStringLiteral("Exportar CSV"),
                                     Text(suggested.string()), QStringLiteral("CSV (*.csv)"));
    return file.isEmpty() ? std::nullopt : std::optional<std::filesystem::path>(file.toStdString());
}

void QtDialogs::Open(const std::filesystem::path& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Text(path.string())));
}

}  // namespace inbox
