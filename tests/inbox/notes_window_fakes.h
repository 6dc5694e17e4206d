#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inbox/window_dialogs.h"

namespace inbox {

// Dialogs that answer as the test says and remember what the window asked.
class FakeDialogs : public WindowDialogs {
public:
    bool Confirm(const std::string& title, const std::string& text) override {
        confirmations.push_back(title + "\n" + text);
        return confirm;
    }
    void Tell(const std::string& title, const std::string& text) override {
        told.push_back(title + "\n" + text);
    }
    std::optional<CompanyEntry> AskCompany() override {
        if (!company) {
            return std::nullopt;
        }
        CompanyEntry entry;
        entry.company = *company;
        entry.password = dfe::Secret(password);
        return entry;
    }
    std::optional<std::string> AskJustification() override { return justification; }
    std::optional<dfe::Secret> AskPin(const std::string& question) override {
        pinQuestions.push_back(question);
        return pin ? std::optional<dfe::Secret>(dfe::Secret(*pin)) : std::nullopt;
    }
    std::optional<std::filesystem::path> AskCsvFile(const std::filesystem::path&) override {
        return csvFile;
    }
    void Open(const std::filesystem::path& path) override { opened.push_back(path); }

    bool confirm = true;
    std::optional<NewCompany> company;
    std::string password;
    std::optional<std::string> justification;
    std::optional<std::string> pin;
    std::vector<std::string> pinQuestions;
    std::optional<std::filesystem::path> csvFile;
    std::vector<std::string> confirmations;
    std::vector<std::string> told;
    std::vector<std::filesystem::path> opened;
};

}  // namespace inbox
