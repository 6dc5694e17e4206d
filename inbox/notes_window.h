#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "dfe/clock.h"
#include "inbox/action_states.h"
#include "inbox/invoice_table_model.h"
#include "inbox/manifestation.h"
#include "inbox/pin_runs.h"
#include "inbox/window_dialogs.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace inbox {

class ChildRun;

// What the window works with; tests give their own.
struct NotesWindowSetup {
    std::filesystem::path catalogFile;
    std::filesystem::path dfeProgram;      // vellora-dfe
    std::vector<std::string> authorities;  // --ca for vellora-dfe (VELLORA_DFE_CA)
    const dfe::Clock* clock = nullptr;
    WindowDialogs* dialogs = nullptr;
};

// "Notas recebidas": the catalogue's invoices of a company and period, with the actions that
// talk to the service run by vellora-dfe beside the window.
class NotesWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit NotesWindow(NotesWindowSetup setup, QWidget* parent = nullptr);
    ~NotesWindow() override;

    // Reads the companies and the invoices again.
    void Reload();
    // The dialogs, when they are made after the window, as their parent.
    void SetDialogs(WindowDialogs* dialogs) { setup_.dialogs = dialogs; }
    // Chooses the company by CNPJ ("" for all).
    void ChooseCompany(const std::string& cnpj);

    InvoiceTableModel& model() { return model_; }
    QTableView& table() { return *table_; }
    QAction* action(const QString& objectName) const;
    QString statusText() const;
    QString progressText() const;
    bool busy() const;
    ActionStates actionStates() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildLayout();
    void ShowCompanies();
    void ShowInvoices();
    void ApplyFilter();
    void UpdateStates();
    void ShowDetail();
    std::vector<catalog::ListedInvoice> Selected() const;
    std::string ChosenCompany() const;

    void FetchNew();
    // Runs runs[index], asking its company's PIN first when it needs one, then the next.
    void SynchroniseInTurn(std::vector<SynchroniseRun> runs, std::size_t index);
    void Manifest(Manifestation manifestation);
    void OpenXml();
    void OpenFolder();
    void MakeDanfe();
    void CopyKey();
    void ExportCsv();
    void AddCompany();
    void RemoveCompany();

    // Runs vellora-dfe; then calls next with its exit status unless it was stopped.
    void Run(const Arguments& arguments, std::map<std::string, dfe::Secret> environment,
             std::function<void(int)> next);
    void Finished(int exitStatus, bool cancelled);

    NotesWindowSetup setup_;
    std::unique_ptr<catalog::Catalog> catalogue_;
    std::vector<catalog::Company> companies_;
    InvoiceTableModel model_;
    ChildRun* child_ = nullptr;
    std::function<void(int)> next_;
    std::vector<std::string> registered_;  // keys whose manifestation the running child registered

    QComboBox* company_ = nullptr;
    QLabel* validity_ = nullptr;
    QComboBox* period_ = nullptr;
    QComboBox* situation_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableView* table_ = nullptr;
    QPlainTextEdit* detail_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* synchronisation_ = nullptr;
    QLabel* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::map<QString, QAction*> actions_;
};

}  // namespace inbox
