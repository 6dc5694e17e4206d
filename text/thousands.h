#pragma once

#include <string>
#include <string_view>

namespace text {

// Integer digits grouped by thousands with dots, as Brazilians write them: "1.234.567".
inline std::string GroupThousands(std::string_view digits) {
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace text
