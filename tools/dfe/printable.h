#pragma once

#include "text/printable.h"

namespace tools {

using text::Printable;

}  // namespace tools
