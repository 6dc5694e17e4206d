#include "inbox/notes_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <ctime>
#include <sstream>

#include "catalog/error.h"
#include "catalog/invoice_csv.h"
#include "danfe/danfe_error.h"
#include "danfe/danfe_file.h"
#include "files/atomic_file.h"
#include "inbox/child_run.h"
#include "inbox/invoice_detail.h"
#include "inbox/progress_line.h"
#include "inbox/status_line.h"

namespace inbox {
namespace {

// The child's environment with the token's PIN, when there is one.
std::map<std::string, dfe::Secret> PinEnvironment(const std::shared_ptr<const dfe::Secret>& pin) {
    std::map<std::string, dfe::Secret> environment;
    if (pin) {
        environment["VELLORA_CERT_PASSWORD"] = dfe::Secret(std::string(pin->view()));
    }
    return environment;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::pair<int, int> YearAndMonth(dfe::Time now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1};
}

constexpr const char* kWarningStyle = "color: #b35c00; font-weight: bold;";

}  // namespace

NotesWindow::NotesWindow(NotesWindowSetup setup, QWidget* parent)
    : QMainWindow(parent), setup_(std::move(setup)), model_(this) {
    setWindowTitle(QStringLiteral("Notas recebidas — Vellora"));
    setObjectName(QStringLiteral("NotesWindow"));
    BuildActions();
    BuildLayout();
    child_ = new ChildRun(setup_.dfeProgram, this);
    connect(child_, &ChildRun::Line, this, [this](const QString& line) {
        if (const auto manifested = ReadManifestLine(line.toStdString());
            manifested && manifested->Registered()) {
            registered_.push_back(manifested->key);
        }
        const std::string text = ProgressText(line.toStdString());
        if (!text.empty()) {
            progress_->setText(Text(text));
        }
    });
    connect(child_, &ChildRun::Finished, this, &NotesWindow::Finished);
    try {
        catalogue_ = std::make_unique<catalog::Catalog>(setup_.catalogFile);
    } catch (const catalog::CatalogError& error) {
        progress_->setText(Text(error.what()));
    }
    const QSettings settings;
    table_->horizontalHeader()->restoreState(settings.value("table/header").toByteArray());
    restoreGeometry(settings.value("window/geometry").toByteArray());
    Reload();
}

NotesWindow::~NotesWindow() = default;

void NotesWindow::BuildActions() {
    const auto add = [this](const char* name, const QString& text, const QKeySequence& keys,
                            auto handler) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        actions_[action->objectName()] = action;
        return action;
    };
    add("buscarNovas", QStringLiteral("Buscar novas"), QKeySequence(Qt::Key_F5),
        &NotesWindow::FetchNew);
    add("ciencia", QStringLiteral("Ciência da Operação"), QKeySequence(Qt::CTRL | Qt::Key_M),
        [this] { Manifest(Manifestation::ciencia); });
    add("confirmacao", QStringLiteral("Confirmação da Operação"), QKeySequence(),
        [this] { Manifest(Manifestation::confirmacao); });
    add("desconhecimento", QStringLiteral("Desconhecimento da Operação"), QKeySequence(),
        [this] { Manifest(Manifestation::desconhecimento); });
    add("naoRealizada", QStringLiteral("Operação não Realizada"), QKeySequence(),
        [this] { Manifest(Manifestation::naoRealizada); });
    add("abrirXml", QStringLiteral("Abrir XML"), QKeySequence(Qt::CTRL | Qt::Key_O),
        &NotesWindow::OpenXml);
    add("abrirPasta", QStringLiteral("Abrir pasta"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
        &NotesWindow::OpenFolder);
    add("danfe", QStringLiteral("DANFE"), QKeySequence(Qt::CTRL | Qt::Key_P),
        &NotesWindow::MakeDanfe);
    add("copiarChave", QStringLiteral("Copiar chave"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &NotesWindow::CopyKey);
    add("exportarCsv", QStringLiteral("Exportar CSV"), QKeySequence(Qt::CTRL | Qt::Key_E),
        &NotesWindow::ExportCsv);
    add("adicionarEmpresa", QStringLiteral("Adicionar empresa…"), QKeySequence(),
        &NotesWindow::AddCompany);
    add("removerEmpresa", QStringLiteral("Remover empresa"), QKeySequence(),
        &NotesWindow::RemoveCompany);
    add("cancelar", QStringLiteral("Cancelar"), QKeySequence(Qt::Key_Escape),
        [this] { child_->Cancel(); });
}

void NotesWindow::BuildLayout() {
    auto* toolbar = addToolBar(QStringLiteral("Ações"));
    toolbar->setObjectName(QStringLiteral("actions"));
    toolbar->setMovable(false);
    toolbar->addAction(action("buscarNovas"));
    toolbar->addSeparator();
    toolbar->addAction(action("ciencia"));
    auto* others = new QMenu(QStringLiteral("Outras manifestações"), this);
    others->addAction(action("confirmacao"));
    others->addAction(action("desconhecimento"));
    others->addAction(action("naoRealizada"));
    toolbar->addAction(others->menuAction());
    toolbar->addSeparator();
    for (const char* name : {"abrirXml", "abrirPasta", "danfe", "copiarChave", "exportarCsv"}) {
        toolbar->addAction(action(name));
    }
    toolbar->addSeparator();
    toolbar->addAction(action("adicionarEmpresa"));
    toolbar->addAction(action("removerEmpresa"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* filters = new QHBoxLayout;
    company_ = new QComboBox(central);
    company_->setObjectName(QStringLiteral("empresa"));
    company_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    validity_ = new QLabel(central);
    period_ = new QComboBox(central);
    period_->setObjectName(QStringLiteral("periodo"));
    period_->addItems({QStringLiteral("Este mês"), QStringLiteral("Mês passado"),
                       QStringLiteral("Últimos 3 meses"), QStringLiteral("Este ano"),
                       QStringLiteral("Todo o período")});
    situation_ = new QComboBox(central);
    situation_->setObjectName(QStringLiteral("situacao"));
    situation_->addItems({QStringLiteral("Todas as situações"), QStringLiteral("Autorizadas"),
                          QStringLiteral("Canceladas"), QStringLiteral("Denegadas"),
                          QStringLiteral("Só resumo"), QStringLiteral("Sem manifestação")});
    search_ = new QLineEdit(central);
    search_->setObjectName(QStringLiteral("busca"));
    search_->setPlaceholderText(QStringLiteral("Emitente, CNPJ, chave ou número"));
    search_->setClearButtonEnabled(true);
    auto* companyLabel = new QLabel(QStringLiteral("&Empresa:"), central);
    companyLabel->setBuddy(company_);
    filters->addWidget(companyLabel);
    filters->addWidget(company_);
    filters->addWidget(validity_);
    filters->addStretch();
    filters->addWidget(period_);
    filters->addWidget(situation_);
    filters->addWidget(search_, 1);
    layout->addLayout(filters);

    table_ = new QTableView(central);
    table_->setObjectName(QStringLiteral("notas"));
    table_->setModel(&model_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(static_cast<int>(Column::issued), Qt::DescendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    // Widths for a first start; the person's own come back from the settings.
    for (const auto& [column, width] : {std::pair{Column::issued, 90},
                                        {Column::issuer, 280},
                                        {Column::issuerNumber, 150},
                                        {Column::number, 100},
                                        {Column::value, 120},
                                        {Column::situation, 90},
                                        {Column::manifestation, 110}}) {
        table_->setColumnWidth(static_cast<int>(column), width);
    }
    table_->horizontalHeader()->setSectionsMovable(true);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const char* name : {"ciencia", "confirmacao", "desconhecimento", "naoRealizada"}) {
        table_->addAction(action(name));
    }
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    table_->addAction(separator);
    for (const char* name : {"abrirXml", "abrirPasta", "danfe", "copiarChave"}) {
        table_->addAction(action(name));
    }
    detail_ = new QPlainTextEdit(central);
    detail_->setObjectName(QStringLiteral("detalhe"));
    detail_->setReadOnly(true);
    auto* splitter = new QSplitter(Qt::Horizontal, central);
    splitter->addWidget(table_);
    splitter->addWidget(detail_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);

    status_ = new QLabel(this);
    synchronisation_ = new QLabel(this);
    progress_ = new QLabel(this);
    cancel_ = new QPushButton(QStringLiteral("Cancelar"), this);
    connect(cancel_, &QPushButton::clicked, action("cancelar"), &QAction::trigger);
    addAction(action("cancelar"));
    statusBar()->addWidget(status_);
    statusBar()->addWidget(synchronisation_);
    statusBar()->addPermanentWidget(progress_, 1);
    statusBar()->addPermanentWidget(cancel_);

    connect(company_, &QComboBox::currentIndexChanged, this, [this] { ShowInvoices(); });
    connect(period_, &QComboBox::currentIndexChanged, this, [this] { ShowInvoices(); });
    connect(situation_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
    connect(search_, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        status_->setText(Text(StatusLine(model_.Shown())));
        UpdateStates();
        ShowDetail();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        UpdateStates();
        ShowDetail();
    });
}

QAction* NotesWindow::action(const QString& objectName) const {
    const auto found = actions_.find(objectName);
    return found == actions_.end() ? nullptr : found->second;
}

QString NotesWindow::statusText() const {
    return status_->text();
}

QString NotesWindow::progressText() const {
    return progress_->text();
}

bool NotesWindow::busy() const {
    return child_->Running();
}

void NotesWindow::Reload() {
    const std::string chosen = ChosenCompany();
    companies_.clear();
    if (catalogue_) {
        try {
            companies_ = catalogue_->Companies();
        } catch (const catalog::CatalogError& error) {
            progress_->setText(Text(error.what()));
        }
    }
    ShowCompanies();
    ChooseCompany(chosen);
    ShowInvoices();
}

void NotesWindow::ShowCompanies() {
    const QSignalBlocker blocker(company_);
    company_->clear();
    company_->addItem(QStringLiteral("Todas as empresas"), QString());
    for (const catalog::Company& company : companies_) {
        company_->addItem(Text(catalog::PartyText(company.cnpj) + "  " + company.holder),
                          Text(company.cnpj));
    }
}

void NotesWindow::ChooseCompany(const std::string& cnpj) {
    const int index = company_->findData(Text(cnpj));
    company_->setCurrentIndex(index < 0 ? 0 : index);
}

std::string NotesWindow::ChosenCompany() const {
    return company_ == nullptr ? std::string() : company_->currentData().toString().toStdString();
}

void NotesWindow::ShowInvoices() {
    const std::string cnpj = ChosenCompany();
    const auto company = std::find_if(companies_.begin(), companies_.end(),
                                      [&](const catalog::Company& c) { return c.cnpj == cnpj; });
    if (company == companies_.end()) {
        validity_->clear();
        synchronisation_->clear();
    } else {
        const CertificateValidity validity = ValidityOf(company->validUntil, setup_.clock->Now());
        validity_->setText(Text(validity.text));
        validity_->setStyleSheet(validity.warning ? kWarningStyle : "");
        synchronisation_->setText(Text(SynchronisationLine(company->lastSynchronised)));
    }
    const auto [year, month] = YearAndMonth(setup_.clock->Now());
    std::vector<catalog::ListedInvoice> invoices;
    if (catalogue_) {
        try {
            invoices = catalogue_->Invoices(
                CatalogFilter(cnpj, static_cast<Period>(period_->currentIndex()), year, month));
        } catch (const catalog::CatalogError& error) {
            progress_->setText(Text(error.what()));
        }
    }
    model_.SetInvoices(std::move(invoices));
}

void NotesWindow::ApplyFilter() {
    model_.SetFilter(
        {static_cast<SituationChoice>(situation_->currentIndex()), search_->text().toStdString()});
}

std::vector<catalog::ListedInvoice> NotesWindow::Selected() const {
    std::vector<catalog::ListedInvoice> selected;
    for (const QModelIndex& row : table_->selectionModel()->selectedRows()) {
        selected.push_back(model_.At(row.row()));
    }
    return selected;
}

ActionStates NotesWindow::actionStates() const {
    WindowSituation situation;
    situation.busy = busy();
    situation.anyCompany = !companies_.empty();
    situation.oneCompanyChosen = !ChosenCompany().empty();
    situation.rows = model_.Shown().size();
    situation.selected = Selected();
    return ActionStatesFor(situation);
}

void NotesWindow::UpdateStates() {
    const ActionStates states = actionStates();
    const std::pair<const char*, bool> enabled[] = {
        {"buscarNovas", states.fetchNew},
        {"ciencia", states.ciencia},
        {"confirmacao", states.otherManifestations},
        {"desconhecimento", states.otherManifestations},
        {"naoRealizada", states.otherManifestations},
        {"abrirXml", states.openXml},
        {"abrirPasta", states.openFolder},
        {"danfe", states.danfe},
        {"copiarChave", states.copyKey},
        {"exportarCsv", states.exportCsv},
        {"adicionarEmpresa", states.addCompany},
        {"removerEmpresa", states.removeCompany},
        {"cancelar", states.cancel},
    };
    for (const auto& [name, on] : enabled) {
        action(name)->setEnabled(on);
    }
    cancel_->setVisible(states.cancel);
}

void NotesWindow::ShowDetail() {
    const std::vector<catalog::ListedInvoice> selected = Selected();
    if (selected.size() != 1) {
        detail_->setPlainText(selected.empty()
                                  ? QString()
                                  : QStringLiteral("%1 notas selecionadas").arg(selected.size()));
        return;
    }
    const catalog::ListedInvoice& listed = selected.front();
    std::vector<catalog::ListedEvent> events;
    if (catalogue_) {
        try {
            events = catalogue_->Events(listed.key);
        } catch (const catalog::CatalogError&) {
        }
    }
    detail_->setPlainText(Text(
        DetailText(listed, listed.full ? ReadInvoiceFile(listed.file) : std::nullopt, events)));
}

void NotesWindow::Run(const Arguments& arguments, std::map<std::string, dfe::Secret> environment,
                      std::function<void(int)> next) {
    // The child finds the same catalogue as the window, whatever its own defaults would say.
    environment["VELLORA_CATALOGO"] = dfe::Secret(setup_.catalogFile.string());
    next_ = std::move(next);
    registered_.clear();
    progress_->setText(QStringLiteral("Iniciando…"));
    child_->Start(arguments, environment);
    UpdateStates();
}

void NotesWindow::Finished(int exitStatus, bool cancelled) {
    progress_->setText(Text(OutcomeText(exitStatus, cancelled)));
    Reload();
    std::function<void(int)> next = std::move(next_);
    next_ = nullptr;
    if (!cancelled && exitStatus != 0 && exitStatus != 3) {
        setup_.dialogs->Tell("Vellora", OutcomeText(exitStatus, cancelled) + "\n\n" +
                                            child_->Output().toStdString());
    }
    if (!cancelled && next) {
        next(exitStatus);
    }
    UpdateStates();
}

void NotesWindow::FetchNew() {
    if (!actionStates().fetchNew) {
        return;
    }
    SynchroniseInTurn(SynchroniseRuns(companies_, ChosenCompany()), 0);
}

void NotesWindow::SynchroniseInTurn(std::vector<SynchroniseRun> runs, std::size_t index) {
    if (index >= runs.size()) {
        return;
    }
    std::map<std::string, dfe::Secret> environment;
    if (const std::optional<catalog::Company>& company = runs[index].pinOf) {
        std::optional<dfe::Secret> pin = setup_.dialogs->AskPin(PinQuestion(*company));
        if (!pin) {
            progress_->setText(Text("PIN não informado: a empresa " +
                                    catalog::PartyText(company->cnpj) + " não foi consultada."));
            SynchroniseInTurn(std::move(runs), index + 1);
            return;
        }
        environment["VELLORA_CERT_PASSWORD"] = std::move(*pin);
    }
    const Arguments arguments = SynchroniseArguments(runs[index].cnpjs, setup_.authorities);
    Run(arguments, std::move(environment), [this, runs = std::move(runs), index](int) mutable {
        SynchroniseInTurn(std::move(runs), index + 1);
    });
}

void NotesWindow::Manifest(Manifestation manifestation) {
    const ActionStates states = actionStates();
    if (!(manifestation == Manifestation::ciencia ? states.ciencia : states.otherManifestations)) {
        return;
    }
    const std::vector<catalog::ListedInvoice> selected = Selected();
    const std::string cnpj = selected.front().company;
    const auto company = std::find_if(companies_.begin(), companies_.end(),
                                      [&](const catalog::Company& c) { return c.cnpj == cnpj; });
    if (company == companies_.end()) {
        setup_.dialogs->Tell("Vellora", "A empresa " + catalog::PartyText(cnpj) +
                                            " não está cadastrada: adicione-a antes.");
        return;
    }
    std::string justification;
    if (NeedsJustification(manifestation)) {
        const auto given = setup_.dialogs->AskJustification();
        if (!given) {
            return;
        }
        justification = *given;
    }
    if (!setup_.dialogs->Confirm(std::string(ManifestationTitle(manifestation)),
                                 ConfirmationText(manifestation, selected.size(), company->holder,
                                                  cnpj, justification))) {
        return;
    }
    // A token's PIN serves the manifestation and the keys asked after it, then goes.
    std::shared_ptr<const dfe::Secret> pin;
    if (AsksForPin(*company)) {
        std::optional<dfe::Secret> typed = setup_.dialogs->AskPin(PinQuestion(*company));
        if (!typed) {
            return;
        }
        pin = std::make_shared<const dfe::Secret>(std::move(*typed));
    }
    std::vector<std::string> keys;
    std::vector<std::string> summaries;
    for (const catalog::ListedInvoice& invoice : selected) {
        keys.push_back(invoice.key);
        if (!invoice.full) {
            summaries.push_back(invoice.key);
        }
    }
    const bool bringsFullInvoice =
        manifestation == Manifestation::ciencia || manifestation == Manifestation::confirmacao;
    Run(ManifestArguments(manifestation, justification, cnpj, keys, setup_.authorities),
        PinEnvironment(pin), [this, cnpj, summaries, bringsFullInvoice, pin](int) {
            // The service hands the full invoice over once the manifestation is registered
            // (now or before); the others stay summaries.
            std::vector<std::string> fetch;
            for (const std::string& key : summaries) {
                if (std::find(registered_.begin(), registered_.end(), key) != registered_.end()) {
                    fetch.push_back(key);
                }
            }
            if (bringsFullInvoice && !fetch.empty()) {
                Run(FetchKeysArguments(cnpj, fetch, setup_.authorities), PinEnvironment(pin),
                    nullptr);
            }
        });
}

void NotesWindow::OpenXml() {
    if (const auto selected = Selected(); selected.size() == 1) {
        setup_.dialogs->Open(selected.front().file);
    }
}

void NotesWindow::OpenFolder() {
    if (const auto selected = Selected(); selected.size() == 1) {
        setup_.dialogs->Open(selected.front().file.parent_path());
    }
}

void NotesWindow::MakeDanfe() {
    const auto selected = Selected();
    if (selected.size() != 1 || !selected.front().full) {
        return;
    }
    const catalog::ListedInvoice& invoice = selected.front();
    try {
        setup_.dialogs->Open(
            danfe::WriteDanfeFile(invoice.file, invoice.file.parent_path(),
                                  invoice.situation == catalog::Situation::cancelled));
    } catch (const std::exception& error) {
        setup_.dialogs->Tell("DANFE", std::string("O DANFE não pôde ser gerado: ") + error.what());
    }
}

void NotesWindow::CopyKey() {
    QStringList keys;
    for (const catalog::ListedInvoice& invoice : Selected()) {
        keys << Text(invoice.key);
    }
    if (!keys.isEmpty()) {
        QApplication::clipboard()->setText(keys.join(QLatin1Char('\n')));
        progress_->setText(keys.size() == 1
                               ? QStringLiteral("Chave copiada.")
                               : QStringLiteral("%1 chaves copiadas.").arg(keys.size()));
    }
}

void NotesWindow::ExportCsv() {
    if (model_.Shown().empty()) {
        return;
    }
    const auto file = setup_.dialogs->AskCsvFile(
        std::filesystem::path(QDir::homePath().toStdString()) / "notas.csv");
    if (!file) {
        return;
    }
    std::ostringstream csv;
    catalog::WriteInvoicesCsv(csv, model_.Shown());
    try {
        files::WriteFileAtomically(*file, csv.str());
        progress_->setText(QStringLiteral("%1 notas exportadas para %2")
                               .arg(model_.Shown().size())
                               .arg(Text(file->string())));
    } catch (const files::FileError& error) {
        setup_.dialogs->Tell("Exportar CSV", error.what());
    }
}

void NotesWindow::AddCompany() {
    if (busy()) {
        return;
    }
    std::optional<CompanyEntry> entry = setup_.dialogs->AskCompany();
    if (!entry) {
        return;
    }
    std::map<std::string, dfe::Secret> environment;
    if (entry->company.passwordFile.empty()) {
        environment["VELLORA_CERT_PASSWORD"] = std::move(entry->password);
    }
    Run(AddCompanyArguments(entry->company), std::move(environment), nullptr);
}

void NotesWindow::RemoveCompany() {
    const std::string cnpj = ChosenCompany();
    if (busy() || cnpj.empty()) {
        return;
    }
    if (!setup_.dialogs->Confirm("Remover empresa",
                                 "Tirar a empresa " + catalog::PartyText(cnpj) +
                                     " do catálogo? Os arquivos das notas ficam onde estão.")) {
        return;
    }
    Run(RemoveCompanyArguments(cnpj), {}, nullptr);
}

void NotesWindow::closeEvent(QCloseEvent* event) {
    child_->Cancel();
    QSettings settings;
    settings.setValue("table/header", table_->horizontalHeader()->saveState());
    settings.setValue("window/geometry", saveGeometry());
    QMainWindow::closeEvent(event);
}

}  // namespace inbox
