#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dfe {

// The recipient's manifestations on an invoice that names it, each an event registered in
// the national environment in the recipient's name.
enum class Manifestation {
    ciencia,        // 210210 Ciência da Operação: it knows of the operation, no more
    confirmation,   // 210200 Confirmação da Operação: the operation took place
    notRecognised,  // 210220 Desconhecimento da Operação: it knows nothing of the operation
    notPerformed,   // 210240 Operação não Realizada: known, but it did not take place
};

struct ManifestationFacts {
    std::string_view eventType;    // tpEvento
    std::string_view description;  // descEvento, exactly as the schema fixes it
    std::string_view name;         // for people: "Confirmação da Operação"
    bool feminine = true;          // how the name agrees: "a Confirmação ... registrada"
    std::string_view option;       // vellora-dfe manifestar --evento: "confirmacao"
    // What the recipient declares with it, to follow "... que": "ela tem conhecimento da
    // operação de cada NF-e".
    std::string_view meaning;
    // A final manifestation closes the recipient's say on the invoice: no Ciência after it.
    bool final = false;
    bool needsJustification = false;  // xJust, only with 210240
};

const ManifestationFacts& FactsOf(Manifestation manifestation);

// By the option's word ("ciencia", "confirmacao", "desconhecimento", "nao-realizada") or by
// tpEvento; nullopt for anything else.
std::optional<Manifestation> ManifestationNamed(std::string_view option);
std::optional<Manifestation> ManifestationOfEventType(std::string_view eventType);

// The words --evento takes, separated by "|", for messages and help.
std::string ManifestationOptions();

// xJust holds 15 to 255 characters, each a printable one of Latin-1 (the schema's range).
inline constexpr std::size_t kMinJustification = 15;
inline constexpr std::size_t kMaxJustification = 255;

// The justification as it goes into xJust: trimmed, checked against the schema's limits.
// text is UTF-8. Throws Error, saying what is wrong, for any other.
std::string CheckedJustification(std::string_view text);

}  // namespace dfe
