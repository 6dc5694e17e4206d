#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace portal {

class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes the Base64 text (the MIME alphabet), reads the bytes as a PNG image and writes the
// image as a PNG file. Throws ImageError when the bytes are not a PNG image, and when the
// file cannot be written.
void SalvarCaptcha(std::string_view base64, const std::filesystem::path& file);

}  // namespace portal
