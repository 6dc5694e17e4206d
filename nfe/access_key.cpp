#include "nfe/access_key.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

#include "nfe/conversion_error.h"
#include "text/ascii_case.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace nfe {
namespace {

constexpr std::string_view kKeyWeights = "4329876543298765432987654329876543298765432";
constexpr std::size_t kKeyLength = 44;
constexpr std::string_view kIdentifierPrefix = "NFE";

// Positions 7 to 20 (0-based 6 to 19) hold the issuer's CNPJ, the only place for letters.
constexpr bool IsIssuerPlace(std::size_t index) {
    return index >= 6 && index < 20;
}

int DigitsValue(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

bool AreDigits(std::string_view characters) {
    return std::all_of(characters.begin(), characters.end(), text::IsDigit);
}

// People write a key in groups of four, with blanks between them.
constexpr bool IsGroupingBlank(char c) {
    return c == ' ' || c == '\t';
}

int DefaultDraw(int bound) {
    thread_local std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<int>(0, bound - 1)(generator);
}

// A code that follows from the invoice number alone, so that the same invoice always gets
// the same key.
int NumericCodeFromNumber(int nNF) {
    std::string s;
    const std::string number = std::to_string(nNF);
    for (int i = 0; i < 10; ++i) {
        s += number;
    }
    for (int round = 0; round < 9; ++round) {
        int sum = 0;
        for (int i = 0; i < 9; ++i) {
            sum += (s[i] - '0') * (i + 2);
        }
        s.insert(0, std::to_string(sum % 11));
    }
    return DigitsValue(std::string_view(s).substr(0, 8));
}

bool IsPlaceableDate(TDateTime value) {
    return std::isfinite(value) && value > EncodeDate(1, 1, 1) - 1 &&
           value < EncodeDate(9999, 12, 31) + 1;
}

}  // namespace

std::string KeyCharacters(std::string_view text) {
    text = text::Trim(text);
    const std::string_view prefix = text.substr(0, kIdentifierPrefix.size());
    if (text::AsciiUpperCase(prefix) == kIdentifierPrefix) {
        text.remove_prefix(prefix.size());
    }
    return IdentifierCharacters(text);
}

bool IsWrittenAccessKey(std::string_view text) {
    return text.size() == kKeyLength && KeyCharacters(text) == text && IsValidAccessKey(text);
}

std::optional<std::string> TypedAccessKey(std::string_view text) {
    const bool onlyKeyMarks = std::all_of(text.begin(), text.end(), [](char c) {
        return text::IsDigit(c) || IsCapitalLetter(text::AsciiUpper(c)) || IsGroupingBlank(c);
    });
    std::string key = IdentifierCharacters(text);
    if (!onlyKeyMarks || !IsWrittenAccessKey(key)) {
        return std::nullopt;
    }
    return key;
}

KeyCheckDigitResult KeyCheckDigit(std::string_view text) {
    const std::string characters = KeyCharacters(text);
    const std::size_t used = std::min(characters.size(), kKeyWeights.size());
    int sum = 0;
    for (std::size_t i = 0; i < used; ++i) {
        sum += CheckValue(characters[i]) * (kKeyWeights[i] - '0');
    }
    const int remainder = sum % 11;
    return {remainder <= 1 ? 0 : 11 - remainder, characters.size() == kKeyWeights.size()};
}

bool IsValidAccessKey(std::string_view text) {
    const std::string key = KeyCharacters(text);
    if (key.size() != kKeyLength) {
        return false;
    }
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (!text::IsDigit(key[i]) && !IsIssuerPlace(i)) {
            return false;
        }
    }
    const KeyCheckDigitResult check = KeyCheckDigit(std::string_view(key).substr(0, 43));
    if (!check.complete || CheckValue(key[43]) != check.digit) {
        return false;
    }
    return IsKnownUFCode(DigitsValue(key.substr(0, 2))) && IsValidYearMonth(key.substr(2, 4)) &&
           IsValidCNPJ(key.substr(6, 14));
}

std::string GroupedKey(std::string_view key) {
    std::string grouped;
    for (std::size_t i = 0; i < key.size(); i += 4) {
        if (i > 0) {
            grouped += ' ';
        }
        grouped += key.substr(i, 4);
    }
    return grouped;
}

int KeyNumericCode(std::string_view key, double version) {
    const std::string characters = KeyCharacters(key);
    if (characters.size() < 36) {
        throw ConversionError("Chave de acesso incompleta: \"" + std::string(key) + "\"");
    }
    const std::string_view view(characters);
    const std::string_view code = version >= 2.0 ? view.substr(35, 8) : view.substr(34, 9);
    if (!AreDigits(code)) {
        throw ConversionError("Código numérico inválido na chave de acesso: \"" + std::string(key) +
                              "\"");
    }
    return DigitsValue(code);
}

int IdentifierCheckDigit(std::string_view identifier) {
    if (identifier.empty() || !text::IsDigit(identifier.back())) {
        throw ConversionError("Dígito verificador inválido na chave de acesso: \"" +
                              std::string(identifier) + "\"");
    }
    return identifier.back() - '0';
}

std::string PadZeros(std::int64_t value, int width) {
    std::string text = std::to_string(value);
    const auto size = static_cast<std::size_t>(std::max(width, 0));
    if (text.size() < size) {
        text.insert(0, size - text.size(), '0');
    }
    return text.substr(text.size() - size);
}

bool IsKnownUFCode(int code) {
    static constexpr int kCodes[] = {12, 27, 16, 13, 29, 23, 53, 32, 52, 21, 51, 50, 31, 15, 25,
                                     41, 26, 22, 33, 24, 43, 11, 14, 42, 35, 28, 17, 90, 91};
    return std::find(std::begin(kCodes), std::end(kCodes), code) != std::end(kCodes);
}

bool IsValidYearMonth(std::string_view text) {
    if (text.size() != 4 || !AreDigits(text)) {
        return false;
    }
    const int month = (text[2] - '0') * 10 + (text[3] - '0');
    return month >= 1 && month <= 12;
}

std::optional<std::string> ComposeAccessKey(int cUF, int cNF, std::string_view cnpjCpf,
                                            TDateTime emission, int tpEmis, int nNF, int serie,
                                            int modelo, double version,
                                            const NumericCodeDraw& draw) {
    const bool withEmissionType = version >= 2.0;
    // A negative field would put a minus sign among the key digits.
    if (cUF < 0 || nNF < 0 || serie < 0 || modelo < 0 || (withEmissionType && tpEmis < 0) ||
        !IsPlaceableDate(emission)) {
        return std::nullopt;
    }
    const int bound = withEmissionType ? 99999999 : 999999999;
    while (cNF == 0) {
        cNF = draw ? draw(bound) : DefaultDraw(bound);
    }
    if (cNF == -1) {
        cNF = NumericCodeFromNumber(nNF);
    } else if (cNF == -2 && withEmissionType) {
        cNF = 0;
    }
    if (cNF < 0) {
        return std::nullopt;
    }
    const CivilDateTime date = DecodeDateTime(emission);
    const std::string emitter = (KeyCharacters(cnpjCpf) + "00000000000000").substr(0, 14);
    std::string key = "NFe" + PadZeros(cUF, 2) + PadZeros(date.year, 4).substr(2, 2) +
                      PadZeros(date.month, 2) + emitter + PadZeros(modelo, 2) + PadZeros(serie, 3) +
                      PadZeros(nNF, 9);
    key += withEmissionType ? PadZeros(tpEmis, 1) + PadZeros(cNF, 8) : PadZeros(cNF, 9);
    key += std::to_string(KeyCheckDigit(key).digit);
    return key;
}

}  // namespace nfe
