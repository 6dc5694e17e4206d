#include "portal/page_messages.h"

namespace portal {

void MensagensDaPagina::Registrar(std::string_view text) {
    UltimaMensagem.assign(text);
    for (char& c : UltimaMensagem) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (UltimaMensagem.find("CANCELADA") != std::string::npos) {
        SinalMensagem = kCancelada;
    }
    if (UltimaMensagem.find("CLIQUE EM OK PARA INICIAR O DOWNLOAD") != std::string::npos) {
        SinalMensagem = kDownload;
    }
}

bool MensagensDaPagina::ConsumirSinal() {
    if (SinalMensagem == kCancelada || SinalMensagem == kDownload) {
        SinalMensagem = kNada;
        return true;
    }
    return false;
}

}  // namespace portal
