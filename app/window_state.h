#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/settings.h"

namespace app {

// Everything the main window holds outside its visible strip: the enabled state of every
// action, the key box, the page lines, the last file written, the wait overlay's place and the
// connection marks.
// Handlers read and change it through the transitions below; the window then shows what it
// says (only "CONFIRMAR" and the overlay are on screen).
struct WindowState {
    static constexpr int kGreen = 0x8000;
    static constexpr int kRed = 255;
    static constexpr int kMarkShown = 394;
    static constexpr int kMarkParked = 20000;
    static constexpr int kWaitShown = 0;
    static constexpr int kWaitParked = 2000;

    bool btnPegarHTML = true;      // "CONFIRMAR"
    bool btnDow = false;           // "Download (*)"
    bool btnDados = false;         // "Download"
    bool btnGerarXML = false;      // "Gerar XML"
    bool Button1 = true;           // "Salvar XML"
    bool btnNovaConsulta = false;  // "Nova Consulta"
    bool btnPrint = true;          // "Gerar Danfe"
    bool btnFechar = true;         // "Fechar"
    bool edtChaveNFe = true;

    std::string edtChaveNFeText;     // text of edtChaveNFe, UTF-8
    std::vector<std::string> Memo2;  // the page lines, Windows-1252
    std::string edt2;                // the last page message as shown
    std::filesystem::path FPath;     // the last file the conversion wrote

    int pnl2Top = kWaitParked;
    int img3Left = kMarkParked;  // "connected" mark
    int img4Left = kMarkParked;  // "not connected" mark
    int lbl3Color = kRed;

    Options options;

    bool Connected() const { return lbl3Color == kGreen; }
    bool WaitShown() const { return pnl2Top == kWaitShown; }

    void ShowWait() { pnl2Top = kWaitShown; }
    void HideWait() { pnl2Top = kWaitParked; }

    // The connection marks and the colour of "Conexão Internet:"; no button changes.
    void ShowConnection(bool connected);

    // Start-up: the connection as found; "CONFIRMAR" waits for the first security image.
    void StartUpConnection(bool connected);

    // The options just read from the settings file applied to the key box and the download
    // and print buttons.
    void ApplyOptions();

    // A new query: the overlay over the window and the buttons of a fresh consultation page.
    // Without a connection nothing changes and the result is false.
    bool Restart();

    // The key and the captcha passed their check before a submission.
    void QueryValidated();
    // A new security image is on show: a fresh form that nobody has submitted yet, so
    // "CONFIRMAR" (and Enter) may submit it. Between a submission and the next image
    // "CONFIRMAR" stays off, which keeps the same form from being sent twice.
    void CaptchaShown();
    // "CONFIRMAR" pressed, after the check; then the form submitted, or its filling failed.
    void ConfirmPressed();
    void FormSubmitted();
    void FormFillingFailed();
    // An error page of the portal, before the query restarts.
    void ErrorPageShown();
    // "Download (*)" pressed the portal's download button.
    void DownloadPressed();

    void CaptureStarted();
    void CaptureEnded();
    void ImportEnded();
};

}  // namespace app
