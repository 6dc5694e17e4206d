#pragma once

#include <string>
#include <string_view>

namespace nfe {

// The content of an XML element as the file carries it, from UTF-8 text:
// - with retirarAcentos, the accented Portuguese letters lose their accents, a character
//   that Windows-1252 cannot hold becomes "?" and every other character outside printable
//   ASCII (tabs and line breaks too) becomes a space;
// - without it, characters that Windows-1252 can hold stay as they are, the others become "?";
// - "&", "<", ">", '"' and "'" are escaped;
// - with retirarEspacos, runs of spaces shrink to one;
// - the result is trimmed.
// Windows-1252 is the measure because the invoices' texts have always been held to it.
std::string FilterElementText(std::string_view utf8, bool retirarEspacos, bool retirarAcentos);

}  // namespace nfe
