#pragma once

#include "text/character_filters.h"

namespace convert {

// The conversion's names for the digit and letter filters of its page text.
using text::DigitsOnly;
using text::LettersAndDigitsOnly;

}  // namespace convert
