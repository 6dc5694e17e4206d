#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dfe {

// The party that asks the service: a company by its CNPJ, or a person by the CPF.
struct Party {
    enum class Kind { cnpj, cpf };

    Kind kind = Kind::cnpj;
    // 14 characters for a CNPJ (digits, and capital letters in the first twelve), 11 digits
    // for a CPF.
    std::string number;

    // The element that carries the party in a request: "CNPJ" or "CPF".
    std::string_view ElementName() const { return kind == Kind::cnpj ? "CNPJ" : "CPF"; }
    // The first eight characters of a CNPJ, which the company's establishments share and by
    // which the service counts its use; a CPF as a whole.
    std::string Base() const { return kind == Kind::cnpj ? number.substr(0, 8) : number; }
    // "44.555.666/0001-81", "12.ABC.345/01DE-35" or "123.456.789-09".
    std::string Formatted() const;

    bool operator==(const Party&) const = default;
};

// A party from a valid CNPJ of 14 characters (lower-case letters read as capitals) or a valid
// CPF of 11 digits, with nothing around them; nullopt for anything else.
std::optional<Party> PartyFromNumber(std::string_view number);

}  // namespace dfe
