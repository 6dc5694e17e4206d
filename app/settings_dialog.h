#pragma once

#include <QDialog>
#include <QGroupBox>

class QButtonGroup;
class QPushButton;

namespace app {

class TfrmVLPrincipal;

// A radio group with the two items "Sim" (0) and "Não" (1) side by side; -1 means none.
class GrupoSimNao : public QGroupBox {
    Q_OBJECT
public:
    GrupoSimNao(const QString& caption, QWidget* parent);
    int ItemIndex() const;
    // Out-of-range values are clamped to -1 or 1.
    void SetItemIndex(int index);

private:
    QButtonGroup* items_;
};

// The settings dialog: the five options of "cfg.dclrc", "Salvar" and "Fechar".
class TfrmVLConfig : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVLConfig(TfrmVLPrincipal& principal);

    void FormShow();
    void btnSalClick();
    void btnCloClick();

    GrupoSimNao* rg1;  // fcon, "Fechar ao Concluir"
    GrupoSimNao* rg2;  // ccer, "Com Cert."
    GrupoSimNao* rg3;  // scer, "Sem Cert."
    GrupoSimNao* rg4;  // idan, "Imprimir Danfe"
    GrupoSimNao* rg6;  // echa, "Editar Chave"
    QPushButton* btnSal;
    QPushButton* btnClo;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TfrmVLPrincipal& principal_;
};

}  // namespace app
