#include <array>
#include <charconv>
#include <string_view>

#include "nfe/model/items.h"

namespace nfe {

std::string TveicProd::CombDescricao() const {
    static constexpr std::array<std::string_view, 19> kLabels = {
        "",
        "01 - ALCOOL",
        "02 - GASOLINA",
        "03 - DIESEL",
        "04 - GASOGENIO",
        "05 - GAS METANO",
        "06 - ELETRICO/FONTE INTERNA",
        "07 - ELETRICO/FONTE EXTERNA",
        "08 - GASOL/GAS NATURAL COMBUSTIVEL",
        "09 - ALCOOL/GAS NATURAL COMBUSTIVEL",
        "10 - DIESEL/GAS NATURAL COMBUSTIVEL",
        "11 - VIDE/CAMPO/OBSERVACAO",
        "12 - ALCOOL/GAS NATURAL VEICULAR",
        "13 - GASOLINA/GAS NATURAL VEICULAR",
        "14 - DIESEL/GAS NATURAL VEICULAR",
        "15 - GAS NATURAL VEICULAR",
        "16 - ALCOOL/GASOLINA",
        "17 - GASOLINA/ALCOOL/GAS NATURAL",
        "18 - GASOLINA/ELETRICO",
    };
    // A code that is not a whole number counts as 0, which has no label.
    int code = 0;
    const char* const end = tpComb.data() + tpComb.size();
    const auto result = std::from_chars(tpComb.data(), end, code);
    if (result.ec != std::errc{} || result.ptr != end) {
        code = 0;
    }
    if (code >= 1 && code < static_cast<int>(kLabels.size())) {
        return std::string(kLabels[static_cast<std::size_t>(code)]);
    }
    return tpComb;
}

}  // namespace nfe
