#include "danfe/code128.h"

#include <array>
#include <cstddef>

#include "danfe/danfe_error.h"

namespace danfe {

namespace {

constexpr int kCodeC = 99;
constexpr int kCodeA = 101;
constexpr int kStartA = 103;
constexpr int kStartC = 105;
constexpr int kStop = 106;

// Bar and space widths of each symbol value, from 0 to the stop (106).
constexpr std::array<std::string_view, 107> kPatterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t DigitRun(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end - from;
}

}  // namespace

std::vector<int> Code128Symbols(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c) && !(c >= 'A' && c <= 'Z')) {
            throw Error("O código de barras só leva algarismos e letras maiúsculas.");
        }
    }
    std::vector<int> symbols;
    enum class Set { none, a, c } set = Set::none;
    const auto use = [&](Set wanted) {
        if (set == wanted) {
            return;
        }
        if (set == Set::none) {
            symbols.push_back(wanted == Set::c ? kStartC : kStartA);
        } else {
            symbols.push_back(wanted == Set::c ? kCodeC : kCodeA);
        }
        set = wanted;
    };
    const auto inSetA = [&](char c) {
        use(Set::a);
        symbols.push_back(c - ' ');
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t run = DigitRun(text, i);
        if (run < 2) {
            inSetA(text[i]);
            ++i;
            continue;
        }
        // An odd run leaves one digit to set A: at its start when set A is in use already,
        // otherwise at its end, where a letter (set A) or the end of the text follows.
        if (run % 2 == 1 && set == Set::a) {
            inSetA(text[i]);
            ++i;
            --run;
        }
        use(Set::c);
        const std::size_t end = i + run / 2 * 2;
        for (; i < end; i += 2) {
            symbols.push_back((text[i] - '0') * 10 + (text[i + 1] - '0'));
        }
    }
    if (symbols.empty()) {
        symbols.push_back(kStartC);
    }
    int check = symbols.front();
    for (std::size_t position = 1; position < symbols.size(); ++position) {
        check += static_cast<int>(position) * symbols[position];
    }
    symbols.push_back(check % 103);
    symbols.push_back(kStop);
    return symbols;
}

std::string Code128Widths(const std::vector<int>& symbols) {
    std::string widths;
    widths.reserve(symbols.size() * 6 + 1);
    for (int symbol : symbols) {
        widths += kPatterns.at(static_cast<std::size_t>(symbol));
    }
    return widths;
}

}  // namespace danfe
