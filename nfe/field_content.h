#pragma once

#include <string>

#include "nfe/field_value.h"

namespace nfe {

// The field types of the XML generator, in their customary order.
enum TkroTipoCampo {
    tcStr,      // text, trimmed
    tcInt,      // whole number, zero-padded to the minimum size
    tcDat,      // yyyy-mm-dd
    tcDatHor,   // yyyy-mm-ddThh:nn:ss
    tcEsp,      // digits only, trimmed
    tcDe2,      // decimals with 2 places
    tcDe3,      // 3 places
    tcDe4,      // 4 places
    tcDe10,     // 10 places
    tcHor,      // hh:nn:ss
    tcDe6,      // 6 places
    tcDatCFe,   // yyyymmdd
    tcHorCFe,   // hhnnss
    tcDatVcto,  // dd/mm/yyyy
};

bool IsDecimalType(TkroTipoCampo tipo);

struct FieldContent {
    std::string text;
    // The value counts as absent: a zero number with occurrence 0, the zero date, midnight.
    bool empty = false;
    // A tcEsp value with a character other than a digit.
    bool invalid = false;
};

// The content text of a value for one field type, zero-padded to `minimo` characters for
// whole numbers and to `minimo` plus the point for decimals. A value that the type cannot
// read counts as zero (numbers) or as the zero date (dates and times). Decimals are rounded
// half away from zero on their decimal digits: exactly for Currency, and for a double on the
// shortest text that reads back as it, so 1.005 gives "1.01" as it was typed.
FieldContent FormatFieldContent(TkroTipoCampo tipo, const FieldValue& valor, int minimo,
                                int ocorrencias, bool suprimirDecimais);

}  // namespace nfe
