#include "inbox/progress_line.h"

#include "text/printable.h"
#include "text/trim.h"

namespace inbox {
namespace {

bool IsNumber(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string ProgressText(std::string_view line) {
    const std::string shown = text::Printable(text::Trim(line));
    const std::string_view view = shown;
    if (view.starts_with('[')) {
        const std::size_t slash = view.find('/');
        const std::size_t close = view.find("] ");
        if (slash != std::string_view::npos && close != std::string_view::npos && slash < close &&
            IsNumber(view.substr(1, slash - 1)) &&
            IsNumber(view.substr(slash + 1, close - slash - 1))) {
            return "Nota " + shown.substr(1, slash - 1) + " de " +
                   shown.substr(slash + 1, close - slash - 1) + ": " + shown.substr(close + 2);
        }
    }
    constexpr std::string_view waiting = "aguardando: nova consulta a partir de";
    if (const std::size_t at = view.find(waiting); at != std::string_view::npos) {
        return shown.substr(0, at) +
               "o limite de uso do serviço pede uma espera: nova consulta a partir de" +
               shown.substr(at + waiting.size());
    }
    return shown;
}

std::string OutcomeText(int exitStatus, bool cancelled) {
    if (cancelled) {
        return "Interrompido a pedido; o que já veio ficou gravado.";
    }
    switch (exitStatus) {
        case 0:
            return "Concluído.";
        case 3:
            return "O limite de uso do serviço pede uma espera; veja acima a partir de quando.";
        case 2:
            return "O comando foi recusado; veja o motivo nas mensagens.";
        default:
            break;
    }
    return "Terminou com falhas; veja as mensagens.";
}

}  // namespace inbox
