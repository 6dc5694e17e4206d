#include "convert/item_details.h"

#include <vector>

#include "convert/date_reading.h"
#include "convert/field_after_label.h"
#include "convert/integer_reading.h"
#include "convert/item_fields.h"
#include "convert/page_text.h"
#include "convert/w1252_literal.h"
#include "nfe/conversion_error.h"
#include "text/windows1252.h"

namespace convert {
namespace {

constexpr auto npos = std::string_view::npos;
constexpr int kMaxLotNumber = 98;
constexpr std::string_view kLotLine = "Medicamento ";

nfe::TDateTime DateOrFail(std::string_view text) {
    if (!IsPageDate(text)) {
        throw nfe::ConversionError("Data inválida: \"" + text::Windows1252ToUtf8(text) + "\"");
    }
    return DateOrDefault(text);
}

// The first position where "Medicamento " is directly followed by the digits of number, or npos.
// "Medicamento 10" also counts for 1, as a plain search for "Medicamento 1" would find it.
std::size_t LotPosition(std::string_view medicineText, const std::vector<std::size_t>& lotLines,
                        int number) {
    const std::string digits = std::to_string(number);
    for (const std::size_t position : lotLines) {
        if (medicineText.substr(position + kLotLine.size()).starts_with(digits)) {
            return position;
        }
    }
    return npos;
}

}  // namespace

void ReadVehicle(std::string_view itemText, nfe::TveicProd& vehicle) {
    constexpr std::string_view kChassis = "Chassi do veículo "_w1252;
    if (FieldAfterLabel(itemText, kChassis).empty()) {
        return;
    }
    vehicle.chassi = TextField(itemText, kChassis);
    vehicle.cCor = TextField(itemText, "Cor ");
    vehicle.xCor = TextField(itemText, "Descrição da cor "_w1252);
    vehicle.nSerie = TextField(itemText, "Serial (Série) "_w1252);
    vehicle.tpComb = TextField(itemText, "Tipo de Combustível "_w1252);
    vehicle.nMotor = TextField(itemText, "Número de Motor "_w1252);
    vehicle.anoMod = IntegerOrFail(FieldAfterLabel(itemText, "Ano Modelo de Fabricação "_w1252));
    vehicle.anoFab = IntegerOrFail(FieldAfterLabel(itemText, "Ano de Fabricação "_w1252));
}

void ReadMedicines(std::string_view itemText, nfe::TmedCollection& medicines) {
    const std::size_t details = itemText.find("Detalhamento específico dos medicamentos"_w1252);
    if (details == npos) {
        return;
    }
    // The separator added at the end ends a value on the last line.
    const std::string medicineText = std::string(itemText.substr(details)) + "|&|";

    std::vector<std::size_t> lotLines;
    for (std::size_t at = medicineText.find(kLotLine); at != npos;
         at = medicineText.find(kLotLine, at + 1)) {
        lotLines.push_back(at);
    }
    for (int number = 1; number <= kMaxLotNumber; ++number) {
        const std::size_t lot = LotPosition(medicineText, lotLines, number);
        if (lot == npos) {
            continue;
        }
        // The lot runs to the end of the details, so a label that this lot lacks is read from a
        // later one.
        const std::string_view lotText = std::string_view(medicineText).substr(lot);
        nfe::TmedCollectionItem& medicine = medicines.Add();
        medicine.nLote = TextField(lotText, "Nro. do Lote ");
        medicine.qLote = MoneyField(lotText, "Quantidade de produtos no lote");
        medicine.dFab = DateOrFail(FieldAfterLabel(lotText, "Data de fabricação "_w1252));
        medicine.dVal = DateOrFail(FieldAfterLabel(lotText, "Data de validade "_w1252));
        medicine.vPMC = MoneyField(lotText, "Preço Máximo Consumidor "_w1252);
    }
}

std::string AdditionalProductInfo(std::string_view itemText) {
    if (!Contains(itemText, "Informações adicionais do produto"_w1252)) {
        return {};
    }
    CutAt(itemText, "|&|Informações adicionais do produto|&|"_w1252);
    return TextField(std::string(itemText) + std::string(kLineSeparator), "Descrição"_w1252);
}

}  // namespace convert
