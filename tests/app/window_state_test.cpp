#include "app/window_state.h"

#include <gtest/gtest.h>

namespace app {
namespace {

struct Botoes {
    bool btnDow, btnDados, btnPrint, edtChaveNFe;
};

Botoes Depois(Botoes before, Opcoes options) {
    EstadoJanela state;
    state.btnDow = before.btnDow;
    state.btnDados = before.btnDados;
    state.btnPrint = before.btnPrint;
    state.edtChaveNFe = before.edtChaveNFe;
    state.opcoes = options;
    state.AplicarOpcoes();
    return {state.btnDow, state.btnDados, state.btnPrint, state.edtChaveNFe};
}

TEST(WindowState, OptionsOfferOrWithdrawActions) {
    // "Sim" everywhere enables all four.
    auto after = Depois({false, false, false, false}, {0, 0, 0, 0, 0});
    EXPECT_TRUE(after.btnDow && after.btnDados && after.btnPrint && after.edtChaveNFe);

    // "Não" withdraws an action only when the key box is locked too.
    after = Depois({true, true, true, true}, {0, 1, 1, 1, 1});
    EXPECT_FALSE(after.btnDow || after.btnDados || after.btnPrint || after.edtChaveNFe);

    // With echa 0 a "Não" leaves the action as it was, off or on.
    after = Depois({false, true, false, false}, {0, 1, 1, 1, 0});
    EXPECT_FALSE(after.btnDow);
    EXPECT_TRUE(after.btnDados);
    EXPECT_FALSE(after.btnPrint);
    EXPECT_TRUE(after.edtChaveNFe);

    // A value that is neither 0 nor 1 leaves the key box alone and withdraws nothing.
    after = Depois({true, false, true, false}, {0, 1, 1, 1, -1});
    EXPECT_TRUE(after.btnDow);
    EXPECT_FALSE(after.btnDados);
    EXPECT_FALSE(after.edtChaveNFe);
}

TEST(WindowState, ConnectionMarksAndRestart) {
    EstadoJanela state;
    state.InicioConexao(false);
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_EQ(state.img4Left, 394);
    EXPECT_EQ(state.img3Left, 20000);
    EXPECT_EQ(state.lbl3Cor, 255);

    state.Memo2 = {"kept"};
    EXPECT_FALSE(state.ReiniciarConsulta());  // no connection: nothing happens
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_FALSE(state.EsperaVisivel());
    EXPECT_EQ(state.Memo2.size(), 1u);

    state.AtualizarConexao(true);  // a returning connection changes no button
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_EQ(state.img3Left, 394);
    EXPECT_EQ(state.img4Left, 20000);
    EXPECT_EQ(state.lbl3Cor, 0x8000);

    state.btnGerarXML = state.btnNovaConsulta = state.btnDow = state.btnDados = true;
    state.Button1 = false;
    EXPECT_TRUE(state.ReiniciarConsulta());
    EXPECT_TRUE(state.EsperaVisivel());
    EXPECT_TRUE(state.btnPegarHTML && state.Button1);
    EXPECT_FALSE(state.btnGerarXML || state.btnNovaConsulta || state.btnDow || state.btnDados);
    EXPECT_TRUE(state.Memo2.empty());
}

TEST(WindowState, CaptureAndImport) {
    EstadoJanela state;
    state.btnDow = state.btnDados = true;
    state.MostrarEspera();
    state.InicioDaCaptura();
    EXPECT_FALSE(state.btnPegarHTML || state.btnDow || state.btnDados);
    EXPECT_FALSE(state.btnGerarXML);
    state.FimDaCaptura();
    EXPECT_TRUE(state.btnGerarXML);
    state.FimDaImportacao();
    EXPECT_TRUE(state.btnPegarHTML && state.btnNovaConsulta);
    EXPECT_FALSE(state.btnDow || state.btnDados || state.EsperaVisivel());
}

}  // namespace
}  // namespace app
