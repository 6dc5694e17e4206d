#pragma once

#include <string>
#include <string_view>

namespace text {

// Every occurrence of from replaced by to, left to right and without overlaps: the search goes
// on after each replaced occurrence. An empty from replaces nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace text
