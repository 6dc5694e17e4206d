#include "app/settings_dialog.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/main_window.h"
#include "app/settings.h"

namespace app {

GrupoSimNao::GrupoSimNao(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), items_(new QButtonGroup(this)) {
    auto* sim = new QRadioButton(QStringLiteral("Sim"), this);
    auto* nao = new QRadioButton(QStringLiteral("Não"), this);
    sim->setGeometry(6, 20, 40, 20);
    nao->setGeometry(46, 20, 42, 20);
    items_->addButton(sim, 0);
    items_->addButton(nao, 1);
    sim->setChecked(true);
}

int GrupoSimNao::ItemIndex() const {
    return items_->checkedId();
}

void GrupoSimNao::SetItemIndex(int index) {
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

TfrmVLConfig::TfrmVLConfig(TfrmVLPrincipal& principal)
    : QDialog(&principal, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint),
      principal_(principal) {
    setFixedSize(313, 161);
    setFont(principal.font());
    setWindowTitle(QStringLiteral("Configurador Vellora 2.3"));

    auto* options = new QGroupBox(QStringLiteral("Opções Locais"), this);
    options->setGeometry(4, 2, 305, 122);
    struct Lugar {
        GrupoSimNao*& group;
        const char* caption;
        int x, y, width;
    };
    const Lugar places[] = {{rg1, "Fechar ao Concluir", 4, 16, 114},
                            {rg2, "Com Cert.", 122, 16, 88},
                            {rg3, "Sem Cert.", 213, 16, 88},
                            {rg4, "Imprimir Danfe", 4, 68, 114},
                            {rg6, "Editar Chave", 122, 68, 88}};
    for (const auto& place : places) {
        place.group = new GrupoSimNao(QString::fromUtf8(place.caption), options);
        place.group->setGeometry(place.x, place.y, place.width, 48);
    }

    btnSal = new QPushButton(QStringLiteral("Salvar"), this);
    btnSal->setGeometry(152, 130, 75, 25);
    btnClo = new QPushButton(QStringLiteral("Fechar"), this);
    btnClo->setGeometry(234, 130, 75, 25);
    connect(btnSal, &QPushButton::clicked, this,
            [this] { principal_.ExecutarTratador([this] { btnSalClick(); }); });
    connect(btnClo, &QPushButton::clicked, this,
            [this] { principal_.ExecutarTratador([this] { btnCloClick(); }); });

    if (parentWidget() != nullptr) {
        move(parentWidget()->geometry().center() - rect().center());
    }
}

void TfrmVLConfig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        principal_.ExecutarTratador([this] { FormShow(); });
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
    setWindowTitle(principal_.windowTitle() + QStringLiteral(" - Configurador"));
    const auto file = principal_.ArquivoDeTrabalho(kArquivoConfiguracao);
    if (!std::filesystem::exists(file)) {
        return;
    }
    // Each group takes its value as soon as it is read, so a bad key leaves the groups
    // before it updated.
    const std::pair<GrupoSimNao*, const char*> keys[] = {
        {rg1, "fcon"}, {rg2, "ccer"}, {rg3, "scer"}, {rg4, "idan"}, {rg6, "echa"}};
    for (const auto& [group, key] : keys) {
        group->SetItemIndex(LerOpcao(file, key));
    }
}

void TfrmVLConfig::btnSalClick() {
    GravarOpcoes(principal_.ArquivoDeTrabalho(kArquivoConfiguracao),
                 Opcoes{rg1->ItemIndex(), rg2->ItemIndex(), rg3->ItemIndex(), rg4->ItemIndex(),
                        rg6->ItemIndex()});
    principal_.CarregarConfiguracao();
    accept();
    principal_.Dialogo().Mensagem(QStringLiteral("Dados criados com sucesso."));
}

void TfrmVLConfig::btnCloClick() {
    if (!std::filesystem::exists(principal_.ArquivoDeTrabalho(kArquivoConfiguracao))) {
        // The program cannot run without a settings file.
        principal_.Terminar();
    }
    reject();
}

}  // namespace app
