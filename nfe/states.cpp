#include "nfe/states.h"

#include <algorithm>
#include <iterator>

namespace nfe {
namespace {

struct State {
    int code;
    std::string_view abbreviation;
};

constexpr State kStates[] = {
    {12, "AC"}, {27, "AL"}, {16, "AP"}, {13, "AM"}, {29, "BA"}, {23, "CE"}, {53, "DF"}, {32, "ES"},
    {52, "GO"}, {21, "MA"}, {51, "MT"}, {50, "MS"}, {31, "MG"}, {15, "PA"}, {25, "PB"}, {41, "PR"},
    {26, "PE"}, {22, "PI"}, {33, "RJ"}, {24, "RN"}, {43, "RS"}, {11, "RO"}, {14, "RR"}, {42, "SC"},
    {35, "SP"}, {28, "SE"}, {17, "TO"}, {90, "DF"}, {91, "DF"},
};

}  // namespace

std::string_view StateAbbreviation(int cUF) {
    const auto found = std::find_if(std::begin(kStates), std::end(kStates),
                                    [cUF](const State& state) { return state.code == cUF; });
    return found == std::end(kStates) ? std::string_view() : found->abbreviation;
}

bool IsValidStateAbbreviation(std::string_view uf) {
    return uf == "EX" || std::any_of(std::begin(kStates), std::end(kStates),
                                     [uf](const State& state) { return state.abbreviation == uf; });
}

}  // namespace nfe
