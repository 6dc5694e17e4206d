#include "dfe/party.h"

#include "nfe/cnpj.h"
#include "nfe/cpf.h"
#include "text/ascii_case.h"

namespace dfe {

std::string Party::Formatted() const {
    return nfe::FormattedCnpjCpf(number);
}

std::optional<Party> PartyFromNumber(std::string_view number) {
    if (number.size() == 14 && nfe::IsValidCNPJ(number)) {
        return Party{Party::Kind::cnpj, text::AsciiUpperCase(number)};
    }
    if (number.size() == 11 && nfe::IsValidCPF(number)) {
        return Party{Party::Kind::cpf, std::string(number)};
    }
    return std::nullopt;
}

}  // namespace dfe
