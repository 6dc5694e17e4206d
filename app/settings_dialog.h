#pragma once

#include <QDialog>
#include <QGroupBox>
#include <filesystem>
#include <functional>

#include "app/dialogs.h"
#include "app/password_store.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;
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
    // The PKCS#11 module that reaches the tokens.
    virtual std::filesystem::path Pkcs11Module() const = 0;
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

// The settings dialog: the five options of "cfg.dclrc", the company's certificate (an A1 file or
// an A3 on a token), "Salvar" and "Fechar".
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
    // "A1 (arquivo)" or "A3 (token ou cartão)" chosen: the controls of that kind.
    void certificateKindClick();
    // Lists the certificates on the tokens present.
    void findTokensClick();

    YesNoGroup* rg1;  // fcon, "Fechar ao Concluir"
    YesNoGroup* rg2;  // ccer, "Com Cert."
    YesNoGroup* rg3;  // scer, "Sem Cert."
    YesNoGroup* rg4;  // idan, "Imprimir Danfe"
    YesNoGroup* rg6;  // echa, "Editar Chave"
    QRadioButton* certificateA1;
    QRadioButton* certificateA3;
    QLineEdit* certificateFile;
    QPushButton* chooseCertificate;
    // The certificates found on the tokens, each with its PKCS#11 address as its data.
    QComboBox* tokenCertificates;
    QPushButton* findTokens;
    QLabel* certificatePasswordLabel;
    // An A1's password, typed only to check the certificate and to be kept in the keyring; a
    // token's PIN, typed only to check it and never kept. Neither is ever written.
    QLineEdit* certificatePassword;
    QPushButton* checkCertificate;
    QLabel* certificateStatus;
    // What an A3 cannot do: the embedded browser cannot present it to the portal.
    QLabel* tokenNote;
    QPushButton* btnSal;
    QPushButton* btnClo;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The chosen A1's absolute path, or the chosen A3's address; empty when none is chosen.
    std::string ChosenCertificate() const;
    // Fills the token list, keeping kept (an address) chosen even when its token is absent.
    void ListTokens(const std::string& kept);

    SettingsDialogHost& host_;
};

}  // namespace app
