#pragma once

#include <string_view>

#include "nfe/model/taxes.h"

namespace convert {

// The ICMS values that depend on the item's tax situation. Each reader takes the ICMS text (the
// item text from its first "Modalidade" on) and fills the values of its situation; a value read
// twice keeps the second reading.

enum class IcmsSituation {
    kNoValues,  // CSOSN 101 and 102: nothing more to read
    kCsosn500,
    kCsosn201,
    kCsosn202,
    kCst70,
    kCst10,
    kCst20,
    kCst60,
    kCst30,
    kCst51,
    kCst90,
    kOtherCst,
};

// The CSOSN decides first; CSOSN 103, 300, 400, 900 and none fall through to the CST.
IcmsSituation ChooseIcmsSituation(const nfe::TICMS& icms);

// Simples Nacional.
void ReadIcmsCsosn500(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCsosn201(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCsosn202(std::string_view icmsText, nfe::TICMS& icms);

// Regime normal.
void ReadIcmsCst70(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCst10(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCst20(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCst60(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCst30(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCst51(std::string_view icmsText, nfe::TICMS& icms);
void ReadIcmsCst90(std::string_view icmsText, nfe::TICMS& icms);
// 00, 40, 41, 50, 80, 81 and every situation without a reader of its own.
void ReadIcmsOtherCst(std::string_view icmsText, nfe::TICMS& icms);

}  // namespace convert
