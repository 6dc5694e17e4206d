#include "app/settings_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
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
#include "dfe/error.h"
#include "dfe/pkcs11_uri.h"
#include "dfe/token_choice.h"

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
    options->setGeometry(4, 2, 305 + extra, 122);

    auto* certificate = new QGroupBox(QStringLiteral("Certificado"), this);
    certificateA1 = new QRadioButton(QStringLiteral("A1 (arquivo)"), certificate);
    certificateA3 = new QRadioButton(QStringLiteral("A3 (token ou cartão)"), certificate);
    certificateA1->setGeometry(6, 16, certificateA1->sizeHint().width(), 22);
    certificateA3->setGeometry(12 + certificateA1->sizeHint().width(), 16,
                               certificateA3->sizeHint().width(), 22);
    certificateA1->setChecked(true);
    // The file and the token list share a place: one kind shows at a time.
    certificateFile = new QLineEdit(certificate);
    certificateFile->setGeometry(6, 40, 259 + extra, 22);
    certificateFile->setPlaceholderText(QStringLiteral("nenhum: só a consulta pelo portal"));
    certificateFile->setAccessibleName(QStringLiteral("Arquivo do certificado A1"));
    chooseCertificate = new QPushButton(QStringLiteral("..."), certificate);
    chooseCertificate->setGeometry(268 + extra, 40, 31, 22);
    tokenCertificates = new QComboBox(certificate);
    tokenCertificates->setGeometry(6, 40, 213 + extra, 22);
    tokenCertificates->setAccessibleName(QStringLiteral("Certificado A3 do token"));
    findTokens = new QPushButton(QStringLiteral("Procurar"), certificate);
    findTokens->setGeometry(222 + extra, 40, 77, 22);
    certificatePasswordLabel = new QLabel(QStringLiteral("Senha:"), certificate);
    certificatePasswordLabel->setGeometry(6, 66, 40, 22);
    certificatePassword = new QLineEdit(certificate);
    certificatePasswordLabel->setBuddy(certificatePassword);
    certificatePassword->setGeometry(48, 66, 165 + extra, 22);
    certificatePassword->setEchoMode(QLineEdit::Password);
    checkCertificate = new QPushButton(QStringLiteral("Verificar"), certificate);
    checkCertificate->setGeometry(218 + extra, 66, 81, 22);
    certificateStatus = new QLabel(certificate);
    certificateStatus->setGeometry(6, 90, 293 + extra, 30);
    certificateStatus->setTextFormat(Qt::PlainText);
    certificateStatus->setWordWrap(true);
    tokenNote = new QLabel(
        QStringLiteral("O navegador embutido não apresenta o certificado do token ao portal: lá a "
                       "consulta segue sem certificado. O PIN é pedido a cada execução e nunca é "
                       "guardado."),
        certificate);
    tokenNote->setWordWrap(true);
    const int noteHeight = std::max(30, tokenNote->heightForWidth(293 + extra));
    tokenNote->setGeometry(6, 122, 293 + extra, noteHeight);
    const int certificateHeight = 130 + noteHeight;
    certificate->setGeometry(4, 126, 305 + extra, certificateHeight);
    const int buttonsTop = 130 + certificateHeight;
    setFixedSize(313 + extra, buttonsTop + 31);
    connect(chooseCertificate, &QPushButton::clicked, this,
            [this] { host_.RunHandler([this] { chooseCertificateClick(); }); });
    connect(checkCertificate, &QPushButton::clicked, this,
            [this] { host_.RunHandler([this] { checkCertificateClick(); }); });
    connect(findTokens, &QPushButton::clicked, this,
            [this] { host_.RunHandler([this] { findTokensClick(); }); });
    for (QRadioButton* kind : {certificateA1, certificateA3}) {
        connect(kind, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                host_.RunHandler([this] { certificateKindClick(); });
            }
        });
    }
    certificateKindClick();

    btnSal = new QPushButton(QStringLiteral("Salvar"), this);
    btnSal->setGeometry(152 + extra, buttonsTop, 75, 25);
    btnClo = new QPushButton(QStringLiteral("Fechar"), this);
    btnClo->setGeometry(234 + extra, buttonsTop, 75, 25);
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
    const std::string kept = ReadCertificatePath(file);
    if (dfe::IsPkcs11Uri(kept)) {
        // Listed first, so that choosing the kind does not list the tokens again.
        ListTokens(kept);
        certificateA3->setChecked(true);
    } else {
        certificateA1->setChecked(true);
        certificateFile->setText(QString::fromStdString(kept));
    }
}

std::string TfrmVLConfig::ChosenCertificate() const {
    if (certificateA3->isChecked()) {
        return tokenCertificates->currentData().toString().toStdString();
    }
    const auto typed = certificateFile->text().trimmed();
    return typed.isEmpty()
               ? std::string()
               : std::filesystem::absolute(typed.toStdString()).lexically_normal().string();
}

void TfrmVLConfig::btnSalClick() {
    const auto file = host_.SettingsFile();
    const std::string certificate = ChosenCertificate();
    // "A3" with nothing to choose (no token present) is not taken for "no certificate": that is
    // an empty file under "A1", and the certificate configured so far stays.
    if (certificateA3->isChecked() && certificate.empty()) {
        checkCertificateClick();
        return;
    }
    const bool onToken = dfe::IsPkcs11Uri(certificate);
    // A password or PIN typed is tried before anything is saved; a refused one keeps the
    // dialog.
    const bool secretTyped = !certificate.empty() && !certificatePassword->text().isEmpty();
    if (secretTyped) {
        const auto check = CheckCertificate(certificate, host_.Pkcs11Module(),
                                            dfe::Secret(certificatePassword->text().toStdString()),
                                            dfe::SystemClock().Now());
        if (check.refused) {
            certificateStatus->setText(QString::fromStdString(check.text));
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
    if (secretTyped && !onToken) {
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
    const std::string certificate = ChosenCertificate();
    const bool onToken = certificateA3->isChecked();
    if (certificate.empty()) {
        certificateStatus->setText(
            onToken ? QStringLiteral("Escolha um certificado da lista: conecte o token e clique "
                                     "em Procurar.")
                    : QStringLiteral("Escolha o arquivo do certificado (.pfx)."));
        return;
    }
    std::optional<dfe::Secret> secret;
    if (!certificatePassword->text().isEmpty()) {
        secret.emplace(certificatePassword->text().toStdString());
    } else if (!onToken) {
        secret = host_.Passwords().Read(certificate);
    }
    if (!secret) {
        certificateStatus->setText(onToken ? QStringLiteral("Informe o PIN do token.")
                                           : QStringLiteral("Informe a senha do certificado."));
        return;
    }
    const auto check =
        CheckCertificate(certificate, host_.Pkcs11Module(), *secret, dfe::SystemClock().Now());
    certificateStatus->setText(QString::fromStdString(check.text));
}

void TfrmVLConfig::certificateKindClick() {
    const bool onToken = certificateA3->isChecked();
    for (QWidget* a1 : std::initializer_list<QWidget*>{certificateFile, chooseCertificate}) {
        a1->setVisible(!onToken);
    }
    for (QWidget* a3 : std::initializer_list<QWidget*>{tokenCertificates, findTokens, tokenNote}) {
        a3->setVisible(onToken);
    }
    certificatePasswordLabel->setText(onToken ? QStringLiteral("PIN:") : QStringLiteral("Senha:"));
    certificatePassword->setAccessibleName(onToken ? QStringLiteral("PIN do token")
                                                   : QStringLiteral("Senha do certificado"));
    certificatePassword->setPlaceholderText(onToken ? QStringLiteral("só para verificar")
                                                    : QStringLiteral("a guardada no chaveiro"));
    certificatePassword->clear();
    certificateStatus->clear();
    if (onToken && tokenCertificates->count() == 0) {
        ListTokens({});
    }
}

void TfrmVLConfig::findTokensClick() {
    ListTokens(ChosenCertificate());
}

void TfrmVLConfig::ListTokens(const std::string& kept) {
    tokenCertificates->clear();
    certificateStatus->clear();
    std::vector<dfe::TokenChoice> choices;
    try {
        choices = dfe::TokenChoices(host_.Pkcs11Module());
    } catch (const dfe::CertificateError& error) {
        certificateStatus->setText(QString::fromStdString(error.what()));
    }
    for (const dfe::TokenChoice& choice : choices) {
        tokenCertificates->addItem(QString::fromStdString(choice.text),
                                   QString::fromStdString(choice.uri));
        // The line is longer than the box: the whole of it shows on hovering.
        tokenCertificates->setItemData(tokenCertificates->count() - 1,
                                       QString::fromStdString(choice.text), Qt::ToolTipRole);
    }
    if (!kept.empty()) {
        if (const auto chosen = dfe::ChoiceNamed(choices, kept)) {
            tokenCertificates->setCurrentIndex(static_cast<int>(*chosen));
            return;
        }
        // The token may just be out of its port: what was chosen stays chosen.
        tokenCertificates->insertItem(0, QString::fromStdString(kept + " (token não encontrado)"),
                                      QString::fromStdString(kept));
        tokenCertificates->setCurrentIndex(0);
    }
    if (choices.empty() && certificateStatus->text().isEmpty()) {
        certificateStatus->setText(
            QStringLiteral("Nenhum certificado foi encontrado nos tokens e cartões presentes: "
                           "conecte o token (para um cartão, o leitor e o serviço pcscd) e clique "
                           "em Procurar."));
    }
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
