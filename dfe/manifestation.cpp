#include "dfe/manifestation.h"

#include <algorithm>
#include <array>

#include "dfe/error.h"
#include "text/character_count.h"
#include "text/trim.h"
#include "text/windows1252.h"

namespace dfe {
namespace {

constexpr std::array<ManifestationFacts, 4> kFacts = {{
    {"210210", "Ciencia da Operacao", "Ciência da Operação", "ciencia",
     "a empresa declara que tem conhecimento da operação de cada NF-e, sem confirmá-la; uma "
     "manifestação final (confirmação, desconhecimento ou operação não realizada) ainda é "
     "esperada",
     false, false},
    {"210200", "Confirmacao da Operacao", "Confirmação da Operação", "confirmacao",
     "a empresa confirma que a operação de cada NF-e aconteceu e que recebeu a mercadoria; é "
     "uma manifestação final",
     true, false},
    {"210220", "Desconhecimento da Operacao", "Desconhecimento da Operação", "desconhecimento",
     "a empresa declara que desconhece a operação de cada NF-e, que não a pediu; é uma "
     "manifestação final",
     true, false},
    {"210240", "Operacao nao Realizada", "Operação não Realizada", "nao-realizada",
     "a empresa declara que a operação de cada NF-e não se realizou, pelo motivo da "
     "justificativa; é uma manifestação final",
     true, true},
}};

constexpr std::array<Manifestation, 4> kAll = {Manifestation::ciencia, Manifestation::confirmation,
                                               Manifestation::notRecognised,
                                               Manifestation::notPerformed};

}  // namespace

const ManifestationFacts& FactsOf(Manifestation manifestation) {
    return kFacts[static_cast<std::size_t>(manifestation)];
}

std::optional<Manifestation> ManifestationNamed(std::string_view option) {
    const auto found = std::find_if(kAll.begin(), kAll.end(),
                                    [&](Manifestation m) { return FactsOf(m).option == option; });
    return found == kAll.end() ? std::nullopt : std::optional(*found);
}

std::optional<Manifestation> ManifestationOfEventType(std::string_view eventType) {
    const auto found = std::find_if(kAll.begin(), kAll.end(), [&](Manifestation m) {
        return FactsOf(m).eventType == eventType;
    });
    return found == kAll.end() ? std::nullopt : std::optional(*found);
}

std::string ManifestationOptions() {
    std::string options;
    for (const Manifestation manifestation : kAll) {
        options += (options.empty() ? "" : "|") + std::string(FactsOf(manifestation).option);
    }
    return options;
}

std::string CheckedJustification(std::string_view text) {
    const std::string_view trimmed = text::Trim(text);
    if (!text::IsValidUtf8(trimmed)) {
        throw Error("A justificativa não é um texto UTF-8 válido.");
    }
    for (std::size_t position = 0; position < trimmed.size();) {
        const char32_t character = text::DecodeUtf8(trimmed, position).value_or(0);
        if (character < 0x20 || (character >= 0x7F && character < 0xA0) || character > 0xFF) {
            throw Error(
                "A justificativa só pode ter letras, algarismos, espaços e sinais comuns em uma "
                "linha: quebras de linha, tabulações e símbolos fora do Latin-1 não são aceitos "
                "pelo serviço.");
        }
    }
    const std::size_t count = text::Utf8CharacterCount(trimmed);
    if (count < kMinJustification || count > kMaxJustification) {
        throw Error("A justificativa deve ter de " + std::to_string(kMinJustification) + " a " +
                    std::to_string(kMaxJustification) + " caracteres; tem " +
                    std::to_string(count) + ".");
    }
    return std::string(trimmed);
}

}  // namespace dfe
