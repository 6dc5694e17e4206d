#include "convert/party_conversion.h"

#include <algorithm>
#include <cstdint>

#include "convert/copy.h"
#include "convert/field_rules.h"
#include "convert/integer_reading.h"
#include "convert/w1252_literal.h"
#include "nfe/place_codes.h"
#include "text/character_filters.h"
#include "text/trim.h"
#include "text/windows1252.h"

namespace convert {
namespace {

// The municipality line reads "CODE - NAME": the name starts at its tenth character.
std::string_view MunicipalityName(std::string_view municipality) {
    return Copy(municipality, 10, 60);
}

}  // namespace

StreetAndNumber SplitAddress(std::string_view address) {
    const std::size_t found = address.find(',');
    const std::int64_t comma = found == std::string_view::npos ? 0 : std::int64_t(found) + 1;
    StreetAndNumber parts{std::string(Copy(address, 1, comma - 1)),
                          std::string(Copy(address, comma + 1, 10))};
    std::replace(parts.number.begin(), parts.number.end(), ',', ' ');
    return parts;
}

void ReadEmitterSummary(std::string_view section, nfe::TEmit& emit) {
    emit.CNPJCPF = CnpjCpfField(section, "CNPJ");
    emit.xNome = TextFieldOr(section, "Nome/Razão Social"_w1252, "Nome / Razão Social"_w1252);
    emit.IE = LettersAndDigitsField(section, "Inscrição Estadual"_w1252);
}

void ReadRecipientSummary(std::string_view section, nfe::TDest& dest) {
    dest.CNPJCPF = CnpjCpfField(section, "CNPJ");
    if (dest.CNPJCPF.empty()) {
        dest.CNPJCPF = CnpjCpfField(section, "CPF");
    }
    dest.xNome = TextFieldOr(section, "Nome/Razão Social"_w1252, "Nome / Razão Social"_w1252);
    dest.IE = LettersAndDigitsField(section, "Inscrição Estadual"_w1252);
    dest.EnderDest.UF = TextField(section, "UF");
}

void ReadEmitterDetail(std::string_view section, nfe::TNFe& nfe) {
    nfe::TEmit& emit = nfe.Emit;
    nfe::TenderEmit& address = emit.EnderEmit;
    emit.xFant = TextField(section, "Nome Fantasia");

    const StreetAndNumber street = SplitAddress(FieldAfterLabel(section, "Endereço"_w1252));
    address.xLgr = text::Windows1252ToUtf8(street.street);
    address.nro = text::Windows1252ToUtf8(street.number);
    address.xBairro = TextFieldOr(section, "Bairro/Distrito", "Bairro / Distrito");
    address.CEP = IntegerOrDefault(DigitsField(section, "CEP"), 0);
    address.cMun = IntegerField(section, "Município "_w1252, 0, 7);
    nfe.Ide.cUF = IntegerOrDefault(Copy(std::to_string(address.cMun), 1, 2), 0);
    address.xMun =
        text::Windows1252ToUtf8(MunicipalityName(FieldAfterLabel(section, "Município"_w1252)));
    address.fone = LettersAndDigitsField(section, " Fone/Fax");
    if (address.fone.empty()) {
        address.fone = LettersAndDigitsField(section, "Telefone");
    }
    // Only a line that starts with "UF": the letters also occur inside other words.
    address.UF = TextField(section, "|UF");
    address.cPais = IntegerField(section, "País"_w1252, nfe::kBrazilCountryCode, 5);
    const std::string country = FieldAfterLabel(section, "País"_w1252);
    address.xPais = text::Windows1252ToUtf8(Copy(country, 8, 60));
    if (address.xPais.empty()) {
        address.xPais = text::Windows1252ToUtf8(country);
    }

    emit.IE = LettersAndDigitsField(section, "Inscrição Estadual"_w1252);
    emit.CRT = CodeField<nfe::TkroCRT>(section, "Código de Regime Tributário "_w1252, 1);
    nfe.Ide.cMunFG =
        IntegerField(section, "Município da Ocorrência do Fato Gerador do ICMS"_w1252, 0);
    emit.IEST = LettersAndDigitsField(section, "Inscrição Estadual do Substituto Tributário"_w1252);
    emit.CNAE = DigitsField(section, "CNAE Fiscal");
    emit.IM = DigitsField(section, "Inscrição Municipal"_w1252);
}

void ReadRecipientDetail(std::string_view section, nfe::TDest& dest) {
    nfe::TenderDest& address = dest.EnderDest;
    if (text::Trim(dest.CNPJCPF).empty()) {
        dest.CNPJCPF = CnpjCpfField(section, "CNPJ");
        if (text::Trim(dest.CNPJCPF).empty()) {
            dest.CNPJCPF = CnpjCpfField(section, "CPF");
        }
    }
    dest.Email = TextField(section, "E-mail ");

    const StreetAndNumber street = SplitAddress(FieldAfterLabel(section, "Endereço"_w1252));
    address.xLgr = text::Windows1252ToUtf8(street.street);
    address.nro = text::Windows1252ToUtf8(street.number);
    address.xBairro = TextField(section, "Bairro / Distrito");
    address.CEP = IntegerOrDefault(DigitsField(section, "CEP"), 0);
    address.cMun = IntegerField(section, "Município "_w1252, 0, 7);
    address.xMun = text::Windows1252ToUtf8(
        text::Trim(MunicipalityName(FieldAfterLabel(section, "Município"_w1252))));
    address.fone = LettersAndDigitsField(section, "Fone / Fax");
    if (address.fone.empty()) {
        address.fone = LettersAndDigitsField(section, "Telefone");
    }
    address.UF = TextField(section, "UF");
    address.cPais = IntegerField(section, "País"_w1252, nfe::kBrazilCountryCode, 5);
    address.xPais = text::Windows1252ToUtf8(Copy(FieldAfterLabel(section, "País"_w1252), 8, 60));
    dest.IE = LettersAndDigitsField(section, "Inscrição estadual"_w1252);
}

}  // namespace convert
