#include "app/window_state.h"

namespace app {

namespace {

// Option value 0 offers the action; any other value withdraws it only when the key box is
// locked too, and otherwise leaves the action as it was.
void ApplyOption(bool& enabled, int option, int echa) {
    if (option == 0) {
        enabled = true;
    } else if (echa == 1) {
        enabled = false;
    }
}

}  // namespace

void WindowState::ShowConnection(bool connected) {
    img3Left = connected ? kMarkShown : kMarkParked;
    img4Left = connected ? kMarkParked : kMarkShown;
    lbl3Color = connected ? kGreen : kRed;
}

void WindowState::StartUpConnection(bool connected) {
    ShowConnection(connected);
    // Nothing to confirm before the first security image.
    btnPegarHTML = false;
}

void WindowState::ApplyOptions() {
    if (options.echa == 0) {
        edtChaveNFe = true;
    } else if (options.echa == 1) {
        edtChaveNFe = false;
    }
    ApplyOption(btnDow, options.ccer, options.echa);
    ApplyOption(btnDados, options.scer, options.echa);
    ApplyOption(btnPrint, options.idan, options.echa);
}

bool WindowState::Restart() {
    if (!Connected()) {
        return false;
    }
    ShowWait();
    btnNovaConsulta = false;
    btnGerarXML = false;
    btnPegarHTML = false;
    btnDow = false;
    btnDados = false;
    Button1 = true;
    Memo2.clear();
    return true;
}

void WindowState::QueryValidated() {
    btnPegarHTML = false;
    btnDow = options.ccer == 0;
    btnDados = options.scer == 0;
}

void WindowState::CaptchaShown() {
    btnPegarHTML = true;
}

void WindowState::ConfirmPressed() {
    Memo2.clear();
    Button1 = false;
    btnNovaConsulta = false;
    btnGerarXML = false;
}

void WindowState::FormSubmitted() {
    btnPegarHTML = false;
}

void WindowState::FormFillingFailed() {
    btnNovaConsulta = true;
}

void WindowState::ErrorPageShown() {
    btnGerarXML = true;
    btnNovaConsulta = true;
}

void WindowState::DownloadPressed() {
    btnPegarHTML = true;
    btnDados = false;
}

void WindowState::CaptureStarted() {
    btnPegarHTML = false;
    btnDow = false;
    btnDados = false;
}

void WindowState::CaptureEnded() {
    btnGerarXML = true;
}

void WindowState::ImportEnded() {
    btnNovaConsulta = true;
    btnPegarHTML = true;
    btnDow = false;
    btnDados = false;
    HideWait();
}

}  // namespace app
