#pragma once

#include <string>

#include "sample/portal/indexed_image.h"

namespace sample {

// The bytes of a PNG file holding the picture as an 8-bit palette image.
std::string EncodePng(const IndexedImage& image);

}  // namespace sample
