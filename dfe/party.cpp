#include "dfe/party.h"

#include <algorithm>

#include "nfe/access_key.h"
#include "nfe/cpf.h"
#include "text/character_filters.h"

namespace dfe {

std::string Party::Formatted() const {
    if (kind == Kind::cnpj && digits.size() == 14) {
        return digits.substr(0, 2) + "." + digits.substr(2, 3) + "." + digits.substr(5, 3) + "/" +
               digits.substr(8, 4) + "-" + digits.substr(12);
    }
    if (kind == Kind::cpf && digits.size() == 11) {
        return digits.substr(0, 3) + "." + digits.substr(3, 3) + "." + digits.substr(6, 3) + "-" +
               digits.substr(9);
    }
    return digits;
}

std::optional<Party> PartyFromDigits(std::string_view digits) {
    if (!std::all_of(digits.begin(), digits.end(), text::IsDigit)) {
        return std::nullopt;
    }
    if (digits.size() == 14 && nfe::IsValidCNPJ(digits)) {
        return Party{Party::Kind::cnpj, std::string(digits)};
    }
    if (digits.size() == 11 && nfe::IsValidCPF(digits)) {
        return Party{Party::Kind::cpf, std::string(digits)};
    }
    return std::nullopt;
}

}  // namespace dfe
