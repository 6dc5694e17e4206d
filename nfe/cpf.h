#pragma once

#include <string_view>

namespace nfe {

// Eleven characters whose last two are the CPF check digits of the first nine. Characters
// that are not digits make the number invalid.
bool IsValidCPF(std::string_view text);

}  // namespace nfe
