#include "nfe/model/inf_nfe.h"

#include <array>
#include <charconv>

namespace nfe {

double TInfNFe::Versao() const {
    // Written so that a NaN also falls back to 2.0.
    return versao_ > 0 ? versao_ : 2.0;
}

std::string TInfNFe::VersaoStr() const {
    // Large enough for any finite double in fixed notation.
    std::array<char, 400> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), Versao(),
                                      std::chars_format::fixed, 2);
    return "versao=\"" + std::string(digits.data(), result.ptr) + "\"";
}

}  // namespace nfe
