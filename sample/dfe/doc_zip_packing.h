#pragma once

#include <string>
#include <string_view>

namespace sample {

// A document packed as the service packs it into a docZip: gzip, then Base64.
std::string PackDocZip(std::string_view document);

// The same, with the gzip cut off half-way, as a broken answer would carry it.
std::string PackBrokenDocZip(std::string_view document);

}  // namespace sample
