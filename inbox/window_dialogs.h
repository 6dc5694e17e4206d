#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "dfe/secret.h"
#include "inbox/child_commands.h"

namespace inbox {

// A company as the person gives it in the window, with the password when it goes to the
// secret store.
struct CompanyEntry {
    NewCompany company;
    dfe::Secret
        password;  // the A1's password or the token's PIN; empty when company.passwordFile holds it
};

// What the window asks the person; tests answer with a fake, so they never click.
class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;
    virtual bool Confirm(const std::string& title, const std::string& text) = 0;
    virtual void Tell(const std::string& title, const std::string& text) = 0;
    virtual std::optional<CompanyEntry> AskCompany() = 0;
    virtual std::optional<std::string> AskJustification() = 0;
    // The PIN of a company's token, asked with question; nullopt when the person cancelled.
    virtual std::optional<dfe::Secret> AskPin(const std::string& question) = 0;
    virtual std::optional<std::filesystem::path> AskCsvFile(
        const std::filesystem::path& suggested) = 0;
    // Opens a file or a folder with the desktop's program for it.
    virtual void Open(const std::filesystem::path& path) = 0;
};

}  // namespace inbox
