#include "portal/page_messages.h"

#include <gtest/gtest.h>

namespace portal {
namespace {

TEST(PageMessagesTest, RecognisedPhrasesInAnyLetterCaseAskForOneConfirmation) {
    struct Case {
        std::string text;
        std::string recorded;
        int signal;
    };
    const Case cases[] = {
        {"NF-e Cancelada pelo emitente", "NF-E CANCELADA PELO EMITENTE", 789},
        {"clique em ok para iniciar o download", "CLIQUE EM OK PARA INICIAR O DOWNLOAD", 799},
        // Both phrases: the download one is tested last and wins.
        {"cancelada. Clique em OK para iniciar o download",
         "CANCELADA. CLIQUE EM OK PARA "
         "INICIAR O DOWNLOAD",
         799},
        // Only ASCII letters change; accented ones stay as they are.
        {"Sessão expirada", "SESSãO EXPIRADA", 0},
    };
    for (const auto& c : cases) {
        PageMessages messages;
        messages.Record(c.text);
        EXPECT_EQ(messages.UltimaMensagem, c.recorded);
        EXPECT_EQ(messages.SinalMensagem, c.signal) << c.text;
        EXPECT_EQ(messages.TakeSignal(), c.signal != 0);
        EXPECT_FALSE(messages.TakeSignal());
        EXPECT_EQ(messages.UltimaMensagem, c.recorded);  // nothing clears it
    }
}

TEST(PageMessagesTest, OtherMessagesKeepAPendingSignal) {
    PageMessages messages;
    messages.Record("NF-e cancelada");
    messages.Record("Outra mensagem");
    EXPECT_EQ(messages.UltimaMensagem, "OUTRA MENSAGEM");
    EXPECT_TRUE(messages.TakeSignal());
    // Two recognised messages in a row: one confirmation each, tick after tick.
    messages.Record("cancelada");
    EXPECT_TRUE(messages.TakeSignal());
    messages.Record("Clique em OK para iniciar o download");
    EXPECT_TRUE(messages.TakeSignal());
    EXPECT_FALSE(messages.TakeSignal());
}

}  // namespace
}  // namespace portal
