#pragma once

#include <string>
#include <string_view>

namespace portal {

// A UTF-8 text as a JavaScript string literal (JSON form, double quotes): whatever the text
// holds, the page receives it as data and cannot run it.
std::string ScriptStringLiteral(std::string_view text);

}  // namespace portal
