#include "sample/portal/png_encoder.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace sample {
namespace {

void AppendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void AppendChunk(std::string& png, std::string_view type, const std::string& data) {
    AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    std::string typeAndData(type);
    typeAndData += data;
    png += typeAndData;
    const auto* bytes = reinterpret_cast<const Bytef*>(typeAndData.data());
    AppendBigEndian(png, crc32(crc32(0, Z_NULL, 0), bytes, typeAndData.size()));
}

std::string Deflate(const std::string& raw) {
    uLongf size = compressBound(raw.size());
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), raw.size(),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("zlib could not compress the picture");
    }
    out.resize(size);
    return out;
}

}  // namespace

std::string EncodePng(const IndexedImage& image) {
    std::string png = "\x89PNG\r\n\x1A\n";

    std::string header;
    AppendBigEndian(header, image.width);
    AppendBigEndian(header, image.height);
    header += '\x08';                // bit depth
    header += '\x03';                // palette colour
    header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
    AppendChunk(png, "IHDR", header);

    std::string palette;
    for (const Rgb& colour : image.palette) {
        palette += static_cast<char>(colour.red);
        palette += static_cast<char>(colour.green);
        palette += static_cast<char>(colour.blue);
    }
    AppendChunk(png, "PLTE", palette);

    // Every row goes out unfiltered (filter byte 0); deflate does well enough on a few
    // flat colours.
    std::string rows;
    rows.reserve((image.width + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        rows += '\0';
        const auto* row = image.pixels.data() + y * image.width;
        rows.append(reinterpret_cast<const char*>(row), image.width);
    }
    AppendChunk(png, "IDAT", Deflate(rows));
    AppendChunk(png, "IEND", "");
    return png;
}

}  // namespace sample
