#pragma once

#include <string>

namespace capture {

// The text of a page saved as an HTML file, decoded to UTF-8 by the character set that its
// meta element declares (charset or http-equiv Content-Type): UTF-8 or Windows-1252, with
// ISO-8859-1 and US-ASCII read as Windows-1252 as browsers do. A file that declares nothing is
// UTF-8 when it is valid UTF-8 and Windows-1252 otherwise. A UTF-8 byte order mark is dropped.
// Throws std::runtime_error for any other declared character set.
// The contents are taken over, so that a large UTF-8 page is not held twice.
std::string DecodeSavedPage(std::string fileContents);

}  // namespace capture
