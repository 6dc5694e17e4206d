#include "portal/page_messages.h"
#include "text/ascii_case.h"

namespace portal {

void PageMessages::Record(std::string_view text) {
    UltimaMensagem = text::AsciiUpperCase(text);
    if (UltimaMensagem.find("CANCELADA") != std::string::npos) {
        SinalMensagem = kCancelled;
    }
    if (UltimaMensagem.find("CLIQUE EM OK PARA INICIAR O DOWNLOAD") != std::string::npos) {
        SinalMensagem = kDownload;
    }
}

bool PageMessages::TakeSignal() {
    if (SinalMensagem == kCancelled || SinalMensagem == kDownload) {
        SinalMensagem = kNone;
        return true;
    }
    return false;
}

}  // namespace portal
