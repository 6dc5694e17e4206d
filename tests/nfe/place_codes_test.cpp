#include "nfe/place_codes.h"

#include <gtest/gtest.h>

namespace nfe {
namespace {

TEST(PlaceCodes, MunicipalityCodes) {
    struct Case {
        int code;
        bool valid;
    };
    const Case cases[] = {
        {3550308, true},   // São Paulo
        {3304557, true},   // Rio de Janeiro
        {5300108, true},   // Brasília
        {4314902, true},   // Porto Alegre
        {9999999, true},   // abroad
        {2201919, true},   // issued without a check digit
        {3550309, false},  // wrong check digit
        {9950308, false},  // no state 99
        {9050305, false},  // national bodies have no municipalities
        {355030, false},  {0, false}, {-3550308, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidMunicipalityCode(c.code), c.valid) << c.code;
    }
}

TEST(PlaceCodes, CountryCodes) {
    for (const int code : {1058, 132, 175, 230, 2496, 1600, 5860, 8451, 6076}) {
        EXPECT_TRUE(IsValidCountryCode(code)) << code;
    }
    for (const int code : {1059, 0, 2497, 10580, -1058}) {
        EXPECT_FALSE(IsValidCountryCode(code)) << code;
    }
}

}  // namespace
}  // namespace nfe
