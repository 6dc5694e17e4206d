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
    {.eventType = "210210",
     .description = "Ciencia da Operacao",
     .name = "Ciência da Operação",
     .option = "ciencia",
     .meaning = "ela tem conhecimento da operação de cada NF-e"},
    {.eventType = "210200",
     .description = "Confirmacao da Operacao",
     .name = "Confirmação da Operação",
     .option = "confirmacao",
     .meaning = "a operação de cada NF-e aconteceu e a mercadoria ou o serviço foi recebido; é "
                "uma manifestação final, depois da qual não cabe mais a Ciência da Operação",
     .final = true},
    {.eventType = "210220",
     .description = "Desconhecimento da Operacao",
     .name = "Desconhecimento da Operação",
     .feminine = false,
     .option = "desconhecimento",
     .meaning = "ela desconhece a operação de cada NF-e, que não foi pedida por ela; é uma "
                "manifestação final, depois da qual não cabe mais a Ciência da Operação",
     .final = true},
    {.eventType = "210240",
     .description = "Operacao nao Realizada",
     .name = "Operação não Realizada",
     .option = "nao-realizada",
     .meaning = "a operação de cada NF-e não se realizou, pelo motivo da justificativa; é uma "
                "manifestação final, depois da qual não cabe mais a Ciência da Operação",
     .final = true,
     .needsJustification = true},
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
