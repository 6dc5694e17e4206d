#include "dfe/party.h"

#include "nfe/cnpj.h"
#include "nfe/cpf.h"
#include "text/ascii_case.h"

namespace dfe {

std::string Party::Formatted() const {
    if (kind == Kind::cnpj && number.size() == 14) {
        return number.substr(0, 2) + "." + number.substr(2, 3) + "." + number.substr(5, 3) + "/" +
               number.substr(8, 4) + "-" + number.substr(12);
    }
    if (kind == Kind::cpf && number.size() == 11) {
        return number.substr(0, 3) + "." + number.substr(3, 3) + "." + number.substr(6, 3) + "-" +
               number.substr(9);
    }
    return number;
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
