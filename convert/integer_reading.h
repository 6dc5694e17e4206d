#pragma once

#include <string_view>

namespace convert {

// A decimal integer with an optional sign and surrounding blanks, within the range of int.

// Any other text, the empty text included, gives defaultValue.
int IntegerOrDefault(std::string_view text, int defaultValue);

// Any other text throws nfe::ConversionError.
int IntegerOrFail(std::string_view text);

}  // namespace convert
