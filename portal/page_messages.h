#pragma once

#include <string>
#include <string_view>

namespace portal {

// The page's script messages as the program follows them: the last one, upper-cased, and the
// signal that asks the next timer tick to confirm its box.
struct PageMessages {
    static constexpr int kNone = 0;
    static constexpr int kCancelled = 789;  // "CANCELADA"
    static constexpr int kDownload = 799;   // "CLIQUE EM OK PARA INICIAR O DOWNLOAD"

    std::string UltimaMensagem;
    int SinalMensagem = kNone;

    // A message is about to be shown: only the ASCII letters are upper-cased. A text that
    // matches neither phrase leaves the signal as it was.
    void Record(std::string_view text);

    // The timer tick: whether a box is to be confirmed now. One signal gives one confirmation.
    bool TakeSignal();
};

}  // namespace portal
