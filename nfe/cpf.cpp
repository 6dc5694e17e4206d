#include "nfe/cpf.h"
#include "text/character_filters.h"

#include <algorithm>

namespace nfe {
namespace {

int CheckDigit(int weighted_sum) {
    const int rest = weighted_sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

}  // namespace

bool IsValidCPF(std::string_view text) {
    if (text.size() != 11 || !std::all_of(text.begin(), text.end(), text::IsDigit)) {
        return false;
    }
    const auto digit = [&](int i) { return text[static_cast<std::size_t>(i)] - '0'; };
    int first_sum = 0;
    int second_sum = 0;
    for (int i = 0; i < 9; ++i) {
        first_sum += digit(i) * (10 - i);
        second_sum += digit(i) * (11 - i);
    }
    const int first = CheckDigit(first_sum);
    const int second = CheckDigit(second_sum + 2 * first);
    return digit(9) == first && digit(10) == second;
}

}  // namespace nfe
