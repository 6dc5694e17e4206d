#pragma once

#include <QString>
#include <optional>

#include "app/application.h"

class QDialog;
class QWidget;

namespace app {

enum class Icone { Nenhum, Aviso, Erro };

// Every modal thing the program shows goes through here, so that tests can answer it.
class Dialogos {
public:
    virtual ~Dialogos() = default;

    // A message box with one OK button; returns when it has been closed.
    virtual void Caixa(const QString& legenda, const QString& texto, Icone icone) = 0;

    // An input box; nullopt when it was cancelled.
    virtual std::optional<QString> Entrada(const QString& legenda, const QString& rotulo) = 0;

    // Shows a dialog modally and returns when it has closed.
    virtual void Executar(QDialog& dialogo) = 0;

    // A plain message box under the application title.
    void Mensagem(const QString& texto) { Caixa(kApplicationTitle, texto, Icone::Nenhum); }
};

// The real boxes: QMessageBox and QInputDialog over the given window.
class DialogosQt : public Dialogos {
public:
    explicit DialogosQt(QWidget* parent = nullptr) : parent_(parent) {}
    void Caixa(const QString& legenda, const QString& texto, Icone icone) override;
    std::optional<QString> Entrada(const QString& legenda, const QString& rotulo) override;
    void Executar(QDialog& dialogo) override;

private:
    QWidget* parent_;
};

}  // namespace app
