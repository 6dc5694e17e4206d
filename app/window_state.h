#pragma once

#include <string>
#include <vector>

#include "app/settings.h"

namespace app {

// Everything the main window holds outside its visible strip: the enabled state of every
// action, the key box, the page lines, the wait overlay's place and the connection marks.
// Handlers read and change it through the transitions below; the window then shows what it
// says (only "CONFIRMAR" and the overlay are on screen).
struct EstadoJanela {
    static constexpr int kVerde = 0x8000;
    static constexpr int kVermelho = 255;
    static constexpr int kMarcaVisivel = 394;
    static constexpr int kMarcaForaDaTela = 20000;
    static constexpr int kEsperaVisivel = 0;
    static constexpr int kEsperaForaDaTela = 2000;

    bool btnPegarHTML = true;      // "CONFIRMAR"
    bool btnDow = false;           // "Download (*)"
    bool btnDados = false;         // "Download"
    bool btnGerarXML = false;      // "Gerar XML"
    bool Button1 = true;           // "Salvar XML"
    bool btnNovaConsulta = false;  // "Nova Consulta"
    bool btnPrint = true;          // "Gerar Danfe"
    bool btnFechar = true;         // "Fechar"
    bool edtChaveNFe = true;

    std::string chaveNFe;            // text of edtChaveNFe, UTF-8
    std::vector<std::string> Memo2;  // the page lines, Windows-1252
    std::string edt2;                // the last page message as shown

    int pnl2Top = kEsperaForaDaTela;
    int img3Left = kMarcaForaDaTela;  // "connected" mark
    int img4Left = kMarcaForaDaTela;  // "not connected" mark
    int lbl3Cor = kVermelho;

    Opcoes opcoes;

    bool Conectado() const { return lbl3Cor == kVerde; }
    bool EsperaVisivel() const { return pnl2Top == kEsperaVisivel; }

    void MostrarEspera() { pnl2Top = kEsperaVisivel; }
    void OcultarEspera() { pnl2Top = kEsperaForaDaTela; }

    // The connection marks and the colour of "Conexão Internet:"; no button changes.
    void AtualizarConexao(bool connected);

    // Start-up: the connection as found, with "CONFIRMAR" following it.
    void InicioConexao(bool connected);

    // The options just read from the settings file applied to the key box and the download
    // and print buttons.
    void AplicarOpcoes();

    // A new query: the overlay over the window and the buttons of a fresh consultation page.
    // Without a connection nothing changes and the result is false.
    bool ReiniciarConsulta();

    // The key and the captcha passed their check before a submission.
    void ConsultaValidada();
    // A new security image is on show: a fresh form that nobody has submitted yet, so
    // "CONFIRMAR" (and Enter) may submit it. Between a submission and the next image
    // "CONFIRMAR" stays off, which keeps the same form from being sent twice.
    void CaptchaShown();
    // "CONFIRMAR" pressed, after the check; then the form submitted, or its filling failed.
    void ConfirmarPressionado();
    void FormularioEnviado();
    void FalhaAoPreencher();
    // An error page of the portal, before the query restarts.
    void PaginaDeErro();
    // "Download (*)" pressed the portal's download button.
    void DownloadPressionado();

    void InicioDaCaptura();
    void FimDaCaptura();
    void FimDaImportacao();
};

}  // namespace app
