#pragma once

#include <string>
#include <string_view>

namespace app {

// The settings file keeps its values scrambled so that a person reading it does not see the
// options at a glance. Each value is packed six bits at a time into the 64 characters
// "0-9A-Za-z+/" with no fill character, and the result is stored reversed.

// 8-bit characters in, ceil(8n / 6) alphabet characters out.
std::string CodificarValor(std::string_view text);

// Stops at the first character outside the alphabet and returns what it decoded up to there;
// leftover bits at the end are dropped.
std::string DecodificarValor(std::string_view text);

std::string ReverseText(std::string_view text);

// What the settings file holds for a value, and the value read back from it.
std::string StoredForm(std::string_view value);
std::string ValueOfStoredForm(std::string_view stored);

}  // namespace app
