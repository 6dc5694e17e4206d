#include "app/window_state.h"

namespace app {

namespace {

// An offered action is enabled; one not offered is withdrawn only when the key box is locked
// too, and otherwise left as it was.
void ApplyOption(bool& enabled, bool offered, bool keyLocked) {
    if (offered) {
        enabled = true;
    } else if (keyLocked) {
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
    if (KeyEditable(options)) {
        edtChaveNFe = true;
    } else if (KeyLocked(options)) {
        edtChaveNFe = false;
    }
    const bool keyLocked = KeyLocked(options);
    ApplyOption(btnDow, WithCertificateDownload(options), keyLocked);
    ApplyOption(btnDados, WithDownloadWithoutCertificate(options), keyLocked);
    ApplyOption(btnPrint, WithDanfe(options), keyLocked);
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
    btnDow = WithCertificateDownload(options);
    btnDados = WithDownloadWithoutCertificate(options);
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
