#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace inbox {

// The recipient's manifestations about an invoice's operation.
enum class Manifestation { ciencia, confirmacao, desconhecimento, naoRealizada };

inline constexpr Manifestation kManifestations[] = {
    Manifestation::ciencia, Manifestation::confirmacao, Manifestation::desconhecimento,
    Manifestation::naoRealizada};

// "Ciência da Operação", as the person reads it.
std::string_view ManifestationTitle(Manifestation manifestation);
// "ciencia", as vellora-dfe manifestar --evento takes it.
std::string_view ManifestationOption(Manifestation manifestation);
// Operação não Realizada needs a justification of 15 to 255 characters.
bool NeedsJustification(Manifestation manifestation);
// nullopt when the justification will do; otherwise what is wrong with it.
std::optional<std::string> JustificationProblem(std::string_view justification);

// What the person reads before the event is sent in the company's name: the event, how many
// invoices, the company, what it means, and the justification when it takes one.
std::string ConfirmationText(Manifestation manifestation, std::size_t invoices,
                             const std::string& holder, const std::string& cnpj,
                             const std::string& justification = "");

}  // namespace inbox
