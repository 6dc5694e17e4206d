#include "app/window_state.h"

#include <gtest/gtest.h>

namespace app {
namespace {

struct Buttons {
    bool btnDow, btnDados, btnPrint, edtChaveNFe;
};

Buttons After(Buttons before, Options options) {
    WindowState state;
    state.btnDow = before.btnDow;
    state.btnDados = before.btnDados;
    state.btnPrint = before.btnPrint;
    state.edtChaveNFe = before.edtChaveNFe;
    state.options = options;
    state.ApplyOptions();
    return {state.btnDow, state.btnDados, state.btnPrint, state.edtChaveNFe};
}

TEST(WindowState, OptionsOfferOrWithdrawActions) {
    // "Sim" everywhere enables all four.
    auto after = After({false, false, false, false}, {0, 0, 0, 0, 0});
    EXPECT_TRUE(after.btnDow && after.btnDados && after.btnPrint && after.edtChaveNFe);

    // "Não" withdraws an action only when the key box is locked too.
    after = After({true, true, true, true}, {0, 1, 1, 1, 1});
    EXPECT_FALSE(after.btnDow || after.btnDados || after.btnPrint || after.edtChaveNFe);

    // With echa 0 a "Não" leaves the action as it was, off or on.
    after = After({false, true, false, false}, {0, 1, 1, 1, 0});
    EXPECT_FALSE(after.btnDow);
    EXPECT_TRUE(after.btnDados);
    EXPECT_FALSE(after.btnPrint);
    EXPECT_TRUE(after.edtChaveNFe);

    // A value that is neither 0 nor 1 leaves the key box alone and withdraws nothing.
    after = After({true, false, true, false}, {0, 1, 1, 1, -1});
    EXPECT_TRUE(after.btnDow);
    EXPECT_FALSE(after.btnDados);
    EXPECT_FALSE(after.edtChaveNFe);
}

TEST(WindowState, ConnectionMarksAndRestart) {
    WindowState state;
    state.StartUpConnection(true);
    EXPECT_FALSE(state.btnPegarHTML);  // nothing to confirm before the first image
    state.StartUpConnection(false);
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_FALSE(state.Connected());

    state.Memo2 = {"kept"};
    EXPECT_FALSE(state.Restart());  // no connection: nothing happens
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_FALSE(state.WaitShown());
    EXPECT_EQ(state.Memo2.size(), 1u);

    state.ShowConnection(true);  // a returning connection changes no button
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_TRUE(state.Connected());

    state.btnGerarXML = state.btnNovaConsulta = state.btnDow = state.btnDados = true;
    state.Button1 = false;
    EXPECT_TRUE(state.Restart());
    EXPECT_TRUE(state.WaitShown());
    // "CONFIRMAR" waits for the new security image.
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_TRUE(state.Button1);
    EXPECT_FALSE(state.btnGerarXML || state.btnNovaConsulta || state.btnDow || state.btnDados);
    EXPECT_TRUE(state.Memo2.empty());
}

TEST(WindowState, CaptureAndImport) {
    WindowState state;
    state.btnDow = state.btnDados = true;
    state.ShowWait();
    state.CaptureStarted();
    EXPECT_FALSE(state.btnPegarHTML || state.btnDow || state.btnDados);
    EXPECT_FALSE(state.btnGerarXML);
    state.CaptureEnded();
    EXPECT_TRUE(state.btnGerarXML);
    state.ImportEnded();
    EXPECT_TRUE(state.btnPegarHTML && state.btnNovaConsulta);
    EXPECT_FALSE(state.btnDow || state.btnDados || state.WaitShown());
}

}  // namespace
}  // namespace app
