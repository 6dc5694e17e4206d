#include "nfe/place_codes.h"

#include <algorithm>
#include <iterator>

#include "nfe/access_key.h"

namespace nfe {
namespace {

constexpr int kAbroad = 9999999;

// Municipalities whose codes do not follow the check-digit rule.
constexpr int kCodesWithoutCheckDigit[] = {2201919, 2201988, 2202251, 2611533, 3117836,
                                           3152131, 4305871, 5203939, 5203962};

}  // namespace

bool IsValidMunicipalityCode(int cMun) {
    if (cMun == kAbroad) {
        return true;
    }
    if (cMun < 1000000 || cMun > 9999999) {
        return false;
    }
    const int state = cMun / 100000;
    if (!IsKnownUFCode(state) || state >= 90) {
        return false;
    }
    if (std::find(std::begin(kCodesWithoutCheckDigit), std::end(kCodesWithoutCheckDigit), cMun) !=
        std::end(kCodesWithoutCheckDigit)) {
        return true;
    }
    // Weights 1 and 2 alternate from the left; a two-digit product counts the sum of its
    // digits.
    int sum = 0;
    int rest = cMun / 10;
    for (int position = 6; position >= 1; --position, rest /= 10) {
        const int product = (rest % 10) * (position % 2 == 1 ? 1 : 2);
        sum += product / 10 + product % 10;
    }
    return (10 - sum % 10) % 10 == cMun % 10;
}

bool IsValidCountryCode(int cPais) {
    if (cPais < 1 || cPais > 9999) {
        return false;
    }
    int sum = 0;
    int rest = cPais / 10;
    for (int weight = 2; weight <= 4; ++weight, rest /= 10) {
        sum += (rest % 10) * weight;
    }
    const int remainder = sum % 11;
    return (remainder <= 1 ? 0 : 11 - remainder) == cPais % 10;
}

}  // namespace nfe
