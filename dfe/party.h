#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dfe {

// The party that asks the service: a company by its CNPJ, or a person by the CPF.
struct Party {
    enum class Kind { cnpj, cpf };

    Kind kind = Kind::cnpj;
    std::string digits;  // 14 for a CNPJ, 11 for a CPF

    // The element that carries the party in a request: "CNPJ" or "CPF".
    std::string_view ElementName() const { return kind == Kind::cnpj ? "CNPJ" : "CPF"; }
    // The first eight digits of a CNPJ, which the company's establishments share and by
    // which the service counts its use; a CPF as a whole.
    std::string Base() const { return kind == Kind::cnpj ? digits.substr(0, 8) : digits; }
    // "44.555.666/0001-81" or "123.456.789-09".
    std::string Formatted() const;

    bool operator==(const Party&) const = default;
};

// A party from 14 digits (a CNPJ) or 11 (a CPF) with valid check digits; nullopt for
// anything else.
std::optional<Party> PartyFromDigits(std::string_view digits);

}  // namespace dfe
