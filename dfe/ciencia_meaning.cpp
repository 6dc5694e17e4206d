#include "dfe/ciencia_meaning.h"

namespace dfe {

std::string CienciaMeaning(const std::string& holder, const Party& party) {
    return "A Ciência da Operação é um ato da empresa perante o fisco: fica registrado no "
           "Ambiente Nacional, em nome de " +
           holder + " (" + (party.kind == Party::Kind::cnpj ? "CNPJ " : "CPF ") +
           party.Formatted() + "), que ela tem conhecimento da operação de cada NF-e.";
}

}  // namespace dfe
