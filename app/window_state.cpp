#include "app/window_state.h"

namespace app {

namespace {

// Option value 0 offers the action; any other value withdraws it only when the key box is
// locked too, and otherwise leaves the action as it was.
void AplicarOpcao(bool& enabled, int option, int echa) {
    if (option == 0) {
        enabled = true;
    } else if (echa == 1) {
        enabled = false;
    }
}

}  // namespace

void EstadoJanela::AtualizarConexao(bool connected) {
    img3Left = connected ? kMarcaVisivel : kMarcaForaDaTela;
    img4Left = connected ? kMarcaForaDaTela : kMarcaVisivel;
    lbl3Cor = connected ? kVerde : kVermelho;
}

void EstadoJanela::InicioConexao(bool connected) {
    AtualizarConexao(connected);
    btnPegarHTML = connected;
}

void EstadoJanela::AplicarOpcoes() {
    if (opcoes.echa == 0) {
        edtChaveNFe = true;
    } else if (opcoes.echa == 1) {
        edtChaveNFe = false;
    }
    AplicarOpcao(btnDow, opcoes.ccer, opcoes.echa);
    AplicarOpcao(btnDados, opcoes.scer, opcoes.echa);
    AplicarOpcao(btnPrint, opcoes.idan, opcoes.echa);
}

bool EstadoJanela::ReiniciarConsulta() {
    if (!Conectado()) {
        return false;
    }
    MostrarEspera();
    btnNovaConsulta = false;
    btnGerarXML = false;
    btnPegarHTML = true;
    btnDow = false;
    btnDados = false;
    Button1 = true;
    Memo2.clear();
    return true;
}

void EstadoJanela::ConsultaValidada() {
    btnPegarHTML = false;
    btnDow = opcoes.ccer == 0;
    btnDados = opcoes.scer == 0;
}

void EstadoJanela::CaptchaShown() {
    btnPegarHTML = true;
}

void EstadoJanela::ConfirmarPressionado() {
    Memo2.clear();
    Button1 = false;
    btnNovaConsulta = false;
    btnGerarXML = false;
}

void EstadoJanela::FormularioEnviado() {
    btnPegarHTML = false;
}

void EstadoJanela::FalhaAoPreencher() {
    btnNovaConsulta = true;
}

void EstadoJanela::PaginaDeErro() {
    btnGerarXML = true;
    btnNovaConsulta = true;
}

void EstadoJanela::DownloadPressionado() {
    btnPegarHTML = true;
    btnDados = false;
}

void EstadoJanela::InicioDaCaptura() {
    btnPegarHTML = false;
    btnDow = false;
    btnDados = false;
}

void EstadoJanela::FimDaCaptura() {
    btnGerarXML = true;
}

void EstadoJanela::FimDaImportacao() {
    btnNovaConsulta = true;
    btnPegarHTML = true;
    btnDow = false;
    btnDados = false;
    OcultarEspera();
}

}  // namespace app
