#include "app/settings_dialog.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/settings.h"

namespace app {

YesNoGroup::YesNoGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), items_(new QButtonGroup(this)) {
    auto* yes = new QRadioButton(QStringLiteral("Sim"), this);
    auto* no = new QRadioButton(QStringLiteral("Não"), this);
    yes->setGeometry(6, 20, 40, 20);
    no->setGeometry(46, 20, 42, 20);
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
    setFixedSize(313, 161);
    if (parent != nullptr) {
        setFont(parent->font());
    }
    setWindowTitle(QStringLiteral("Configurador Vellora 2.3"));

    auto* options = new QGroupBox(QStringLiteral("Opções Locais"), this);
    options->setGeometry(4, 2, 305, 122);
    struct Place {
        YesNoGroup*& group;
        const char* caption;
        int x, y, width;
    };
    const Place places[] = {{rg1, "Fechar ao Concluir", 4, 16, 114},
                            {rg2, "Com Cert.", 122, 16, 88},
                            {rg3, "Sem Cert.", 213, 16, 88},
                            {rg4, "Imprimir Danfe", 4, 68, 114},
                            {rg6, "Editar Chave", 122, 68, 88}};
    for (const auto& place : places) {
        place.group = new YesNoGroup(QString::fromUtf8(place.caption), options);
        place.group->setGeometry(place.x, place.y, place.width, 48);
    }

    btnSal = new QPushButton(QStringLiteral("Salvar"), this);
    btnSal->setGeometry(152, 130, 75, 25);
    btnClo = new QPushButton(QStringLiteral("Fechar"), this);
    btnClo->setGeometry(234, 130, 75, 25);
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
}

void TfrmVLConfig::btnSalClick() {
    WriteOptions(host_.SettingsFile(), Options{rg1->ItemIndex(), rg2->ItemIndex(), rg3->ItemIndex(),
                                               rg4->ItemIndex(), rg6->ItemIndex()});
    host_.CarregarConfiguracao();
    accept();
    host_.Boxes().Message(QStringLiteral("Dados criados com sucesso."));
}

void TfrmVLConfig::btnCloClick() {
    if (!std::filesystem::exists(host_.SettingsFile())) {
        // The program cannot run without a settings file.
        host_.Quit();
    }
    reject();
}

}  // namespace app
