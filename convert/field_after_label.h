#pragma once

#include <string>
#include <string_view>

namespace convert {

// The trimmed value that follows the first occurrence of label in text (compared with ASCII
// folding; the occurrence may lie inside a longer word). With count 0 or less the value runs
// up to the next "|&|" and is empty when no "|&|" follows; with a positive count it is the
// next count characters, fewer at the end of text. A label that is not found gives "".
std::string FieldAfterLabel(std::string_view text, std::string_view label, int count = 0);

}  // namespace convert
