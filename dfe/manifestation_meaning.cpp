#include "dfe/manifestation_meaning.h"

namespace dfe {

std::string ManifestationMeaning(Manifestation manifestation, const std::string& holder,
                                 const Party& party) {
    const ManifestationFacts& facts = FactsOf(manifestation);
    return std::string(facts.feminine ? "A " : "O ") + std::string(facts.name) +
           " é um ato da empresa perante o fisco: fica registrado no Ambiente Nacional, em nome "
           "de " +
           holder + " (" + (party.kind == Party::Kind::cnpj ? "CNPJ " : "CPF ") +
           party.Formatted() + "), que " + std::string(facts.meaning) + ".";
}

}  // namespace dfe
