#include "nfe/field_content.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "nfe/decimal_text.h"
#include "text/trim.h"

namespace nfe {
namespace {

int DecimalPlaces(TkroTipoCampo tipo) {
    switch (tipo) {
        case tcDe2:
            return 2;
        case tcDe3:
            return 3;
        case tcDe4:
            return 4;
        case tcDe6:
            return 6;
        case tcDe10:
            return 10;
        default:
            return 0;
    }
}

// Zeros go after a minus sign, so that "-42" padded to 5 reads "-0042".
std::string PadWithZeros(std::string text, int width) {
    const std::size_t size = static_cast<std::size_t>(std::max(width, 0));
    if (text.size() < size) {
        text.insert(!text.empty() && text.front() == '-' ? 1 : 0, size - text.size(), '0');
    }
    return text;
}

// Dates outside the years 1 to 9999, and values that are no dates at all, are no date.
CivilDateTime DateParts(const FieldValue& valor) {
    const auto date = valor.DateTime();
    if (!date || !std::isfinite(*date) || *date < -693593 || *date >= 2958466) {
        return CivilDateTime{};
    }
    return DecodeDateTime(*date);
}

bool IsZeroDate(const CivilDateTime& parts) {
    return parts.year == 1899 && parts.month == 12 && parts.day == 30;
}

bool IsMidnight(const CivilDateTime& parts) {
    return parts.hour == 0 && parts.minute == 0 && parts.second == 0;
}

std::string DateContent(TkroTipoCampo tipo, const CivilDateTime& p) {
    char text[32];
    switch (tipo) {
        case tcDat:
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.year, p.month, p.day);
            break;
        case tcDatHor:
            std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", p.year, p.month,
                          p.day, p.hour, p.minute, p.second);
            break;
        case tcDatCFe:
            std::snprintf(text, sizeof text, "%04d%02d%02d", p.year, p.month, p.day);
            break;
        case tcHor:
            std::snprintf(text, sizeof text, "%02d:%02d:%02d", p.hour, p.minute, p.second);
            break;
        case tcHorCFe:
            std::snprintf(text, sizeof text, "%02d%02d%02d", p.hour, p.minute, p.second);
            break;
        default:
            std::snprintf(text, sizeof text, "%02d/%02d/%04d", p.day, p.month, p.year);
            break;
    }
    return text;
}

FieldContent DecimalContent(TkroTipoCampo tipo, const FieldValue& valor, int minimo,
                            int ocorrencias, bool suprimirDecimais) {
    const std::string decimal = valor.DecimalText().value_or("0");
    const int places = suprimirDecimais && !HasFractionDigits(decimal) ? 0 : DecimalPlaces(tipo);
    const int width = places > 0 ? minimo + 1 : minimo;
    return {PadWithZeros(RoundDecimalText(decimal, places), width),
            IsZeroDecimalText(decimal) && ocorrencias == 0};
}

}  // namespace

bool IsDecimalType(TkroTipoCampo tipo) {
    return DecimalPlaces(tipo) > 0;
}

FieldContent FormatFieldContent(TkroTipoCampo tipo, const FieldValue& valor, int minimo,
                                int ocorrencias, bool suprimirDecimais) {
    switch (tipo) {
        case tcStr: {
            std::string text(text::Trim(valor.Text()));
            const bool empty = text.empty();
            return {std::move(text), empty};
        }
        case tcEsp: {
            const std::string whole = valor.Text();
            std::string text(text::Trim(whole));
            const bool invalid =
                std::any_of(text.begin(), text.end(), [](char c) { return c < '0' || c > '9'; });
            return {std::move(text), whole.empty(), invalid};
        }
        case tcInt: {
            const std::int64_t number = valor.WholeNumber().value_or(0);
            return {PadWithZeros(std::to_string(number), minimo), number == 0 && ocorrencias == 0};
        }
        case tcDat:
        case tcDatHor:
        case tcDatCFe:
        case tcDatVcto: {
            const CivilDateTime parts = DateParts(valor);
            return {DateContent(tipo, parts), IsZeroDate(parts)};
        }
        case tcHor:
        case tcHorCFe: {
            const CivilDateTime parts = DateParts(valor);
            return {DateContent(tipo, parts), IsMidnight(parts)};
        }
        case tcDe2:
        case tcDe3:
        case tcDe4:
        case tcDe6:
        case tcDe10:
            return DecimalContent(tipo, valor, minimo, ocorrencias, suprimirDecimais);
    }
    return {};
}

}  // namespace nfe
