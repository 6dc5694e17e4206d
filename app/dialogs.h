#pragma once

#include <QString>
#include <optional>

#include "app/application.h"

class QDialog;
class QWidget;

namespace app {

enum class Icon { None, Warning, Error };

struct TypedPassword {
    QString text;
    bool keep = false;  // the person ticked "Guardar no chaveiro"
};

// Every modal thing the program shows goes through here, so that tests can answer it.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box with one OK button; returns when it has been closed.
    virtual void Box(const QString& caption, const QString& text, Icon icon) = 0;

    // A password box: what is typed is not shown; nullopt when it was cancelled.
    virtual std::optional<QString> Password(const QString& caption, const QString& label) = 0;

    // A password box with the tick box "Guardar no chaveiro"; nullopt when it was cancelled.
    virtual std::optional<TypedPassword> PasswordToKeep(const QString& caption,
                                                        const QString& label) = 0;

    // A question with two buttons; true for yes, false for no or when the box was closed.
    virtual bool Ask(const QString& caption, const QString& text, const QString& yes,
                     const QString& no) = 0;

    // A file chooser for an existing file; nullopt when it was cancelled.
    virtual std::optional<QString> OpenFile(const QString& caption, const QString& filter) = 0;

    // Shows a dialog modally and returns when it has closed.
    virtual void Run(QDialog& dialog) = 0;

    // A plain message box under the application title.
    void Message(const QString& text) { Box(kApplicationTitle, text, Icon::None); }
};

// The real boxes: QMessageBox, QInputDialog, QFileDialog and a small password dialog over the
// given window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Box(const QString& caption, const QString& text, Icon icon) override;
    std::optional<QString> Password(const QString& caption, const QString& label) override;
    std::optional<TypedPassword> PasswordToKeep(const QString& caption,
                                                const QString& label) override;
    bool Ask(const QString& caption, const QString& text, const QString& yes,
             const QString& no) override;
    std::optional<QString> OpenFile(const QString& caption, const QString& filter) override;
    void Run(QDialog& dialog) override;

private:
    QWidget* parent_;
};

}  // namespace app
