#pragma once

#include <QLineEdit>
#include <QWidget>

#include "inbox/window_dialogs.h"

namespace inbox {

// The dialogs of the window, as message boxes and small forms over parent.
class QtDialogs : public WindowDialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    bool Confirm(const std::string& title, const std::string& text) override;
    void Tell(const std::string& title, const std::string& text) override;
    std::optional<CompanyEntry> AskCompany() override;
    std::optional<std::string> AskJustification() override;
    std::optional<dfe::Secret> AskPin(const std::string& question) override;
    std::optional<std::filesystem::path> AskCsvFile(
        const std::filesystem::path& suggested) override;
    void Open(const std::filesystem::path& path) override;

private:
    // Fills certificate with the address of a certificate chosen among the tokens'.
    void ChooseTokenCertificate(QLineEdit& certificate);

    QWidget* parent_;
};

}  // namespace inbox
