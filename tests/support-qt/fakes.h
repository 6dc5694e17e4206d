#pragma once

// Stand-ins for the message boxes and the embedded browser, shared by the window tests and the
// end-to-end tests.

#include <QDialog>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/password_store.h"
#include "portal/browser.h"
#include "tests/support/file_contents.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace app {

// Answers every box at once and remembers what it showed.
class FakeDialogs : public Dialogs {
public:
    struct ShownBox {
        QString caption;
        QString text;
        Icon icon;
    };

    void Box(const QString& caption, const QString& text, Icon icon) override {
        boxes.push_back({caption, text, icon});
    }

    std::optional<QString> Password(const QString& caption, const QString& label) override {
        inputs.push_back(caption + "|" + label);
        return Take(passwords);
    }

    std::optional<TypedPassword> PasswordToKeep(const QString& caption,
                                                const QString& label) override {
        inputs.push_back(caption + "|" + label);
        const auto typed = Take(passwords);
        if (!typed) {
            return std::nullopt;
        }
        return TypedPassword{*typed, keepPassword};
    }

    bool Ask(const QString& caption, const QString& text, const QString& yes,
             const QString& no) override {
        questions.push_back({caption, text, yes + "|" + no});
        const bool answer = !askAnswers.empty() && askAnswers.front();
        if (!askAnswers.empty()) {
            askAnswers.pop_front();
        }
        return answer;
    }

    std::optional<QString> OpenFile(const QString& caption, const QString&) override {
        inputs.push_back(caption);
        return Take(files);
    }

    // Shows the dialog without blocking, lets the test's script act on it, then closes it.
    void Run(QDialog& dialog) override {
        ++dialogsShown;
        dialog.show();
        if (onDialog) {
            onDialog(dialog);
        }
        dialog.close();
    }

    static std::optional<QString> Take(std::deque<std::optional<QString>>& queue) {
        auto answer = queue.empty() ? std::nullopt : queue.front();
        if (!queue.empty()) {
            queue.pop_front();
        }
        return answer;
    }

    std::vector<QString> Texts() const {
        std::vector<QString> texts;
        for (const auto& box : boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }

    std::vector<ShownBox> boxes;
    std::vector<QString> inputs;
    // The password box's tick box "Guardar no chaveiro".
    bool keepPassword = false;
    struct Question {
        QString caption;
        QString text;
        QString buttons;  // "yes|no"
    };
    std::vector<Question> questions;
    std::deque<bool> askAnswers;
    std::deque<std::optional<QString>> passwords;
    std::deque<std::optional<QString>> files;
    std::function<void(QDialog&)> onDialog;
    int dialogsShown = 0;
};

// A keyring that keeps its passwords in memory, or that does not answer at all.
class FakePasswordStore : public PasswordStore {
public:
    std::optional<dfe::Secret> Read(const std::string& certificate) override {
        ++reads;
        const auto kept = passwords.find(certificate);
        if (!answers || kept == passwords.end()) {
            return std::nullopt;
        }
        return dfe::Secret(kept->second);
    }
    bool Save(const std::string& certificate, const dfe::Secret& password) override {
        if (answers) {
            passwords[certificate] = std::string(password.view());
        }
        return answers;
    }
    void Remove(const std::string& certificate) override { passwords.erase(certificate); }

    std::map<std::string, std::string> passwords;
    bool answers = true;
    int reads = 0;
};

class FakeBrowser : public portal::Browser {
public:
    void Navigate(const std::string& address) override { navigations.push_back(address); }
    std::string LocationUrl() override { return location; }
    std::optional<int> HttpErrorStatus() override { return httpError; }
    std::optional<std::string> BodyInnerHtml() override {
        if (bodyStopsAnswering) {
            throw portal::BrowserError(portal::kPageDidNotAnswer);
        }
        return body;
    }
    void SetElementValue(const std::string& name, const std::string& value) override {
        Find(name);
        actions.push_back(name + "=" + value);
    }
    void ClickElement(const std::string& name) override {
        Find(name);
        actions.push_back("click " + name);
    }
    std::string Cookies(const std::string&) override { return {}; }
    bool ConfirmMessage() override {
        ++confirmations;
        return messageOpen;
    }
    void ClearCache() override { ++cacheClears; }
    void PresentCertificate(std::shared_ptr<const portal::ClientCertificate> certificate,
                            const portal::PortalAddresses&) override {
        presented = std::move(certificate);
    }
    void TrustAuthorities(std::vector<std::filesystem::path> authorities) override {
        trusted = std::move(authorities);
    }

    std::vector<std::string> navigations;
    std::vector<std::string> actions;
    std::shared_ptr<const portal::ClientCertificate> presented;
    std::vector<std::filesystem::path> trusted;
    // Runs inside each form access, as other events may while the real browser waits for the
    // page.
    std::function<void()> duringFormAccess;
    // An element the page does not have.
    std::string missingElement;
    std::string location;
    std::optional<int> httpError;
    std::optional<std::string> body;
    // The page does not answer the question for its body in time.
    bool bodyStopsAnswering = false;
    int cacheClears = 0;
    int confirmations = 0;
    bool messageOpen = false;

private:
    void Find(const std::string& name) const {
        if (duringFormAccess) {
            duringFormAccess();
        }
        if (name == missingElement) {
            throw portal::BrowserError("O elemento \"" + name + "\" não está na página.");
        }
    }
};

}  // namespace app
