#include "app/settings_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

#include "app/certificate_check.h"
#include "app/settings.h"
#include "dfe/clock.h"

namespace app {

YesNoGroup::YesNoGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), items_(new QButtonGroup(this)) {
    auto* yes = new QRadioButton(QStringLiteral("Sim"), this);
    auto* no = new QRadioButton(QStringLiteral("Não"), this);
    // Laid out by their own size, so that no font makes them overlap or leave the group.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(4);
    row->addWidget(yes);
    row->addWidget(no);
    row->addStretch();
    items_->addButton(yes, 0);
    items_->addButton(no, 1);
    yes->setChecked(true);
}

int YesNoGroup::ItemIndex() const {
    return items_->checkedId();
}

void YesNoGroup::SetItemIndex(int index) {
    if (index < 0) {
        items_->setExclusive(false);
        for (auto* button : items_->buttons()) {
            button->setChecked(false);
        }
        items_->setExclusive(true);
        return;
    }
    items_->button(index > 1 ? 1 : index)->setChecked(true);
}

TfrmVLConfig::TfrmVLConfig(SettingsDialogHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      host_(host) {
    if (parent != nullptr) {
        setFont(parent->font());
    }
    setWindowTitle(QStringLiteral("Configurador Vellora 2.3"));

    auto* options = new QGroupBox(QStringLiteral("Opções Locais"), this);
    struct Place {
        YesNoGroup*& group;
        const char* caption;
        int row, width;
    };
    const Place places[] = {{rg1, "Fechar ao Concluir", 0, 114},
                            {rg2, "Com Cert.", 0, 88},
                            {rg3, "Sem Cert.", 0, 88},
                            {rg4, "Imprimir Danfe", 1, 114},
                            {rg6, "Editar Chave", 1, 88}};
    // Each group as wide as its "Sim" and "Não" need in the desktop's font, side by side; the
    // dialog widens with them.
    int rowEnd[2] = {4, 4};
    for (const auto& place : places) {
        place.group = new YesNoGroup(QString::fromUtf8(place.caption), options);
        const int width = std::max(place.width, place.group->sizeHint().width());
        place.group->setGeometry(rowEnd[place.row], 16 + 52 * place.row, width, 48);
        rowEnd[place.row] += width + 4;
    }
    const int extra = std::max(0, std::max(rowEnd[0], rowEnd[1]) - 305);
    setFixedSize(313 + extra, 261);
    options->setGeometry(4, 2, 305 + extra, 122);

    auto* certificate = new QGroupBox(QStringLiteral("Certificado A1"), this);
    certificate->setGeometry(4, 126, 305 + extra, 100);
    certificateFile = new QLineEdit(certificate);
    certificateFile->setGeometry(6, 18, 259 + extra, 22);
    certificateFile->setPlaceholderText(QStringLiteral("nenhum: só a consulta pelo portal"));
    chooseCertificate = new QPushButton(QStringLiteral("..."), certificate);
    chooseCertificate->setGeometry(268 + extra, 18, 31, 22);
    auto* passwordLabel = new QLabel(QStringLiteral("Senha:"), certificate);
    passwordLabel->setGeometry(6, 44, 40, 22);
    certificatePassword = new QLineEdit(certificate);
    passwordLabel->setBuddy(certificatePassword);
    certificatePassword->setAccessibleName(QStringLiteral("Senha do certificado"));
    certificateFile->setAccessibleName(QStringLiteral("Arquivo do certificado A1"));
    certificatePassword->setGeometry(48, 44, 165 + extra, 22);
    certificatePassword->setEchoMode(QLineEdit::Password);
    certificatePassword->setPlaceholderText(QStringLiteral("a guardada no chaveiro"));
    checkCertificate = new QPushButton(QStringLiteral("Verificar"), certificate);
    checkCertificate->setGeometry(218 + extra, 44, 81, 22);
    certificateStatus = new QLabel(certificate);
    certificateStatus->setGeometry(6, 68, 293 + extra, 30);
    certificateStatus->setTextFormat(Qt::PlainText);
    certificateStatus->setWordWrap(true);
    connect(chooseCertificate, &QPushButton::clicked, this,
            [this] { host_.RunHandler([this] { chooseCertificateClick(); }); });
    connect(checkCertificate, &QPushButton::clicked, this,
            [this] { host_.RunHandler([this] { checkCertificateClick(); }); });

    btnSal = new QPushButton(QStringLiteral("Salvar"), this);
    btnSal->setGeometry(152 + extra, 230, 75, 25);
    btnClo = new QPushButton(QStringLiteral("Fechar"), this);
    btnClo->setGeometry(234 + extra, 230, 75, 25);
    connect(btnSal, &QPushButton::clicked, this,
            [this] { host_.RunHandler([this] { btnSalClick(); }); });
    connect(btnClo, &QPushButton::clicked, this,
            [this] { host_.RunHandler([this] { btnCloClick(); }); });

    if (parentWidget() != nullptr) {
        move(parentWidget()->geometry().center() - rect().center());
    }
}

void TfrmVLConfig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        host_.RunHandler([this] { FormShow(); });
    }
}

void TfrmVLConfig::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            focusNextChild();
            break;
        case Qt::Key_Escape:  // the dialog closes through its own buttons only
            break;
        default:
            QDialog::keyPressEvent(event);
    }
}

void TfrmVLConfig::FormShow() {
    setWindowTitle(host_.Caption() + QStringLiteral(" - Configurador"));
    const auto file = host_.SettingsFile();
    if (!std::filesystem::exists(file)) {
        return;
    }
    // Each group takes its value as soon as it is read, so a bad key leaves the groups
    // before it updated.
    const std::pair<YesNoGroup*, const char*> keys[] = {
        {rg1, "fcon"}, {rg2, "ccer"}, {rg3, "scer"}, {rg4, "idan"}, {rg6, "echa"}};
    for (const auto& [group, key] : keys) {
        group->SetItemIndex(ReadOption(file, key));
    }
    certificateFile->setText(QString::fromStdString(ReadCertificatePath(file)));
}

void TfrmVLConfig::btnSalClick() {
    const auto file = host_.SettingsFile();
    const auto typed = certificateFile->text().trimmed();
    const std::string certificate =
        typed.isEmpty()
            ? std::string()
            : std::filesystem::absolute(typed.toStdString()).lexically_normal().string();
    // A password is kept only once it opened the certificate; a wrong one keeps the dialog.
    const bool passwordTyped = !certificate.empty() && !certificatePassword->text().isEmpty();
    if (passwordTyped) {
        const dfe::Secret typed(certificatePassword->text().toStdString());
        if (!OpensCertificate(certificate, typed)) {
            certificateStatus->setText(QString::fromStdString(
                CheckCertificate(certificate, typed, dfe::SystemClock().Now()).text));
            certificatePassword->setFocus();
            return;
        }
    }
    // A file that never had a certificate stays as the five options alone.
    const auto previous = std::filesystem::exists(file) ? ReadCertificatePath(file) : std::string();
    std::optional<std::string> kept;
    if (!certificate.empty() || !previous.empty()) {
        kept = certificate;
    }
    WriteOptions(file,
                 Options{rg1->ItemIndex(), rg2->ItemIndex(), rg3->ItemIndex(), rg4->ItemIndex(),
                         rg6->ItemIndex()},
                 kept);
    if (!previous.empty() && previous != certificate) {
        // A certificate that is no longer used leaves nothing of it in the keyring.
        host_.Passwords().Remove(previous);
    }
    bool passwordKept = true;
    if (passwordTyped) {
        passwordKept = host_.Passwords().Save(
            certificate, dfe::Secret(certificatePassword->text().toStdString()));
    }
    certificatePassword->clear();
    host_.CarregarConfiguracao();
    accept();
    host_.Boxes().Message(QStringLiteral("Dados criados com sucesso."));
    if (!passwordKept) {
        host_.Boxes().Message(
            QStringLiteral("A senha do certificado não pôde ser guardada no chaveiro do sistema: "
                           "ela será pedida a cada execução."));
    }
}

void TfrmVLConfig::chooseCertificateClick() {
    const auto chosen = host_.Boxes().OpenFile(QStringLiteral("Certificado A1"),
                                               QStringLiteral("Certificado A1 (*.pfx *.p12)"));
    if (!chosen) {
        return;
    }
    certificateFile->setText(*chosen);
    certificateStatus->clear();
    if (!certificatePassword->text().isEmpty()) {
        checkCertificateClick();
    }
}

void TfrmVLConfig::checkCertificateClick() {
    const auto file = certificateFile->text().trimmed().toStdString();
    if (file.empty()) {
        certificateStatus->setText(QStringLiteral("Escolha o arquivo do certificado (.pfx)."));
        return;
    }
    std::optional<dfe::Secret> password;
    if (!certificatePassword->text().isEmpty()) {
        password.emplace(certificatePassword->text().toStdString());
    } else {
        password =
            host_.Passwords().Read(std::filesystem::absolute(file).lexically_normal().string());
    }
    if (!password) {
        certificateStatus->setText(QStringLiteral("Informe a senha do certificado."));
        return;
    }
    const auto check = CheckCertificate(file, *password, dfe::SystemClock().Now());
    certificateStatus->setText(QString::fromStdString(check.text));
}

void TfrmVLConfig::btnCloClick() {
    reject();
}

void TfrmVLConfig::reject() {
    // "Fechar", the title bar's close and Alt+F4 alike: the program cannot run without a
    // settings file.
    if (!std::filesystem::exists(host_.SettingsFile())) {
        host_.Quit();
    }
    QDialog::reject();
}

}  // namespace app
