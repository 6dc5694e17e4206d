#include "inbox/manifestation.h"

#include "catalog/invoice_csv.h"
#include "text/trim.h"

namespace inbox {
namespace {

// What the event states, completing "fica registrado no Ambiente Nacional, em nome de X, ...".
std::string_view Meaning(Manifestation manifestation) {
    switch (manifestation) {
        case Manifestation::ciencia:
            return "que ela tem conhecimento da operação de cada NF-e";
        case Manifestation::confirmacao:
            return "que a operação de cada NF-e aconteceu como descrita nela";
        case Manifestation::desconhecimento:
            return "que ela desconhece a operação de cada NF-e";
        case Manifestation::naoRealizada:
            return "que a operação de cada NF-e não se realizou, com a justificativa dada";
    }
    return "";
}

// The number of characters of UTF-8 text.
std::size_t Characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

}  // namespace

std::string_view ManifestationTitle(Manifestation manifestation) {
    switch (manifestation) {
        case Manifestation::ciencia:
            return "Ciência da Operação";
        case Manifestation::confirmacao:
            return "Confirmação da Operação";
        case Manifestation::desconhecimento:
            return "Desconhecimento da Operação";
        case Manifestation::naoRealizada:
            return "Operação não Realizada";
    }
    return "";
}

std::string_view ManifestationOption(Manifestation manifestation) {
    switch (manifestation) {
        case Manifestation::ciencia:
            return "ciencia";
        case Manifestation::confirmacao:
            return "confirmacao";
        case Manifestation::desconhecimento:
            return "desconhecimento";
        case Manifestation::naoRealizada:
            return "nao-realizada";
    }
    return "";
}

bool NeedsJustification(Manifestation manifestation) {
    return manifestation == Manifestation::naoRealizada;
}

std::optional<std::string> JustificationProblem(std::string_view justification) {
    const std::size_t length = Characters(text::Trim(justification));
    if (length < 15 || length > 255) {
        return "A justificativa deve ter de 15 a 255 caracteres (tem " + std::to_string(length) +
               ").";
    }
    return std::nullopt;
}

std::string ConfirmationText(Manifestation manifestation, std::size_t invoices,
                             const std::string& holder, const std::string& cnpj,
                             const std::string& justification) {
    const std::string title(ManifestationTitle(manifestation));
    const std::string company = holder + " (CNPJ " + catalog::PartyText(cnpj) + ")";
    std::string text = "Registrar a " + title + " de " + std::to_string(invoices) +
                       " NF-e em nome de " + company + "?\n\n" + "A " + title +
                       " é um ato da empresa perante o fisco: fica registrado no Ambiente "
                       "Nacional, em nome de " +
                       company + ", " + std::string(Meaning(manifestation)) + ".";
    if (manifestation != Manifestation::ciencia) {
        text +=
            " É uma manifestação conclusiva: depois dela o fisco não aceita mais a Ciência da "
            "Operação.";
    }
    if (NeedsJustification(manifestation)) {
        text += "\n\nJustificativa: " + justification;
    }
    return text;
}

}  // namespace inbox
