#include "nfe/cnpj.h"

#include <algorithm>

#include "text/ascii_case.h"
#include "text/character_filters.h"

namespace nfe {
namespace {

constexpr std::string_view kCnpjWeights1 = "5432987654320";
constexpr std::string_view kCnpjWeights2 = "6543298765432";

int CnpjCheckDigit(std::string_view characters, std::string_view weights) {
    int sum = 0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        sum += CheckValue(characters[i]) * (weights[i] - '0');
    }
    const int digit = 11 - sum % 11;
    return digit > 9 ? 0 : digit;
}

}  // namespace

std::string IdentifierCharacters(std::string_view text) {
    std::string characters;
    characters.reserve(text.size());
    for (const char c : text) {
        const char upper = text::AsciiUpper(c);
        if (text::IsDigit(upper) || IsCapitalLetter(upper)) {
            characters += upper;
        }
    }
    return characters;
}

std::string FormattedCnpjCpf(std::string_view number) {
    const std::string n(number);
    if (n.size() == 14) {
        return n.substr(0, 2) + "." + n.substr(2, 3) + "." + n.substr(5, 3) + "/" + n.substr(8, 4) +
               "-" + n.substr(12);
    }
    if (n.size() == 11) {
        return n.substr(0, 3) + "." + n.substr(3, 3) + "." + n.substr(6, 3) + "-" + n.substr(9);
    }
    return n;
}

bool IsValidCNPJ(std::string_view text) {
    if (text.size() != 14) {
        return false;
    }
    const std::string cnpj = text::AsciiUpperCase(text);
    const std::string_view base = std::string_view(cnpj).substr(0, 12);
    const bool baseReadable = std::all_of(
        base.begin(), base.end(), [](char c) { return text::IsDigit(c) || IsCapitalLetter(c); });
    if (!baseReadable || !text::IsDigit(cnpj[12]) || !text::IsDigit(cnpj[13])) {
        return false;
    }
    return CheckValue(cnpj[12]) == CnpjCheckDigit(base, kCnpjWeights1) &&
           CheckValue(cnpj[13]) ==
               CnpjCheckDigit(std::string_view(cnpj).substr(0, 13), kCnpjWeights2);
}

}  // namespace nfe
