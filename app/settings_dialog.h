#pragma once

#include <QDialog>
#include <QGroupBox>
#include <filesystem>
#include <functional>

#include "app/dialogs.h"
#include "app/password_store.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

// What the settings dialog needs of the window that opens it.
class SettingsDialogHost {
public:
    virtual ~SettingsDialogHost() = default;
    // Runs a handler of the dialog; an error that escapes it is shown in an error box.
    virtual void RunHandler(const std::function<void()>& handler) = 0;
    // The main window's caption, which the dialog's own caption begins with.
    virtual QString Caption() const = 0;
    // "cfg.dclrc" beside the executable.
    virtual std::filesystem::path SettingsFile() const = 0;
    // The window reads the saved options and follows them at once.
    virtual void CarregarConfiguracao() = 0;
    virtual Dialogs& Boxes() = 0;
    // Where the certificate's password is kept.
    virtual PasswordStore& Passwords() = 0;
    // Ends the program: it cannot run without a settings file.
    virtual void Quit() = 0;
};

// A radio group with the two items "Sim" (0) and "Não" (1) side by side; -1 means none.
class YesNoGroup : public QGroupBox {
    Q_OBJECT
public:
    YesNoGroup(const QString& caption, QWidget* parent);
    int ItemIndex() const;
    // Out-of-range values are clamped to -1 or 1.
    void SetItemIndex(int index);

private:
    QButtonGroup* items_;
};

// The settings dialog: the five options of "cfg.dclrc", the company's certificate, "Salvar"
// and "Fechar".
class TfrmVLConfig : public QDialog {
    Q_OBJECT
public:
    // The dialog is centred over the parent and takes its font.
    explicit TfrmVLConfig(SettingsDialogHost& host, QWidget* parent = nullptr);

    void FormShow();
    void btnSalClick();
    void btnCloClick();
    void reject() override;
    // The file chooser for the certificate, then its check.
    void chooseCertificateClick();
    // Shows the certificate's holder, CNPJ and validity, or why it cannot be used.
    void checkCertificateClick();

    YesNoGroup* rg1;  // fcon, "Fechar ao Concluir"
    YesNoGroup* rg2;  // ccer, "Com Cert."
    YesNoGroup* rg3;  // scer, "Sem Cert."
    YesNoGroup* rg4;  // idan, "Imprimir Danfe"
    YesNoGroup* rg6;  // echa, "Editar Chave"
    QLineEdit* certificateFile;
    QPushButton* chooseCertificate;
    // Typed only to check the certificate and to be kept in the keyring; never written.
    QLineEdit* certificatePassword;
    QPushButton* checkCertificate;
    QLabel* certificateStatus;
    QPushButton* btnSal;
    QPushButton* btnClo;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SettingsDialogHost& host_;
};

}  // namespace app
