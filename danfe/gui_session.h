#pragma once

#include <memory>

class QGuiApplication;

namespace danfe {

// The Qt Gui application that drawing text needs, for programs that have none (a
// command-line tool): made when there is no Qt application yet, without a display
// (the offscreen platform) unless QT_QPA_PLATFORM says otherwise.
class GuiSession {
public:
    GuiSession();
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

private:
    int argc_ = 1;
    char name_[14] = "vellora-danfe";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace danfe
