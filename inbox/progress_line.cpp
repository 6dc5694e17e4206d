#include "inbox/progress_line.h"

#include <vector>

#include "text/printable.h"
#include "text/trim.h"

namespace inbox {
namespace {

bool IsNumber(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string ManifestText(const ManifestLine& line) {
    const std::string answer = text::Printable(line.status + " " + line.reason);
    std::string said;
    if (line.result == "registrado") {
        said = "registrada (" + answer + ")";
    } else if (line.result == "ja-registrado") {
        said = "já estava registrada (" + answer + ")";
    } else if (line.result == "recusado") {
        said = "recusada pelo serviço: " + answer;
    } else if (line.result == "sem-resposta") {
        said = "enviada, mas o serviço não respondeu; pode ter sido registrada";
    } else {
        said = "não enviada: " + text::Printable(line.reason);
    }
    return line.key + ": " + said;
}

}  // namespace

std::optional<ManifestLine> ReadManifestLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < 4) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            return std::nullopt;
        }
        fields.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.emplace_back(line.substr(start));
    if (fields[0].size() != 44 || fields[1].empty() || !IsNumber(fields[2])) {
        return std::nullopt;
    }
    return ManifestLine{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

std::string ProgressText(std::string_view line) {
    if (const auto manifested = ReadManifestLine(line)) {
        return ManifestText(*manifested);
    }
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
