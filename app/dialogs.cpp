#include "app/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace app {

void DialogosQt::Caixa(const QString& legenda, const QString& texto, Icone icone) {
    const auto qtIcon = icone == Icone::Erro    ? QMessageBox::Critical
                        : icone == Icone::Aviso ? QMessageBox::Warning
                                                : QMessageBox::NoIcon;
    QMessageBox box(qtIcon, legenda, texto, QMessageBox::Ok,
                    parent_ != nullptr ? parent_ : QApplication::activeWindow());
    box.exec();
}

std::optional<QString> DialogosQt::Entrada(const QString& legenda, const QString& rotulo) {
    bool ok = false;
    auto text = QInputDialog::getText(parent_ != nullptr ? parent_ : QApplication::activeWindow(),
                                      legenda, rotulo, QLineEdit::Normal, QString(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

void DialogosQt::Executar(QDialog& dialogo) {
    dialogo.exec();
}

}  // namespace app
