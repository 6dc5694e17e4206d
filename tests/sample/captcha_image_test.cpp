#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>

#include "sample/portal/base64.h"
#include "sample/portal/captcha.h"
#include "sample/portal/png_encoder.h"

namespace sample {
namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    }
    return value;
}

struct Chunk {
    std::string type;
    std::string data;
};

// Reads the chunks of a PNG file, checking the signature and every CRC on the way.
std::vector<Chunk> PngChunks(const std::string& png) {
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n"));
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at < png.size();) {
        const std::uint32_t length = BigEndian(png, at);
        const std::string typeAndData = png.substr(at + 4, 4 + length);
        const auto* bytes = reinterpret_cast<const Bytef*>(typeAndData.data());
        EXPECT_EQ(BigEndian(png, at + 8 + length), crc32(0, bytes, typeAndData.size()));
        chunks.push_back({typeAndData.substr(0, 4), typeAndData.substr(4)});
        at += 12 + length;
    }
    return chunks;
}

TEST(Png, HoldsThePictureAsAPaletteImage) {
    std::mt19937 random(7);
    const IndexedImage image = DrawCaptcha("K7P4X", random);
    const std::vector<Chunk> chunks = PngChunks(EncodePng(image));

    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(BigEndian(chunks[0].data, 0), 180u);
    EXPECT_EQ(BigEndian(chunks[0].data, 4), 56u);
    EXPECT_EQ(chunks[0].data.substr(8), std::string("\x08\x03\x00\x00\x00", 5));
    EXPECT_EQ(chunks[1].type, "PLTE");
    EXPECT_EQ(chunks[1].data.size(), image.palette.size() * 3);
    EXPECT_EQ(chunks[2].type, "IDAT");
    EXPECT_EQ(chunks[3].type, "IEND");

    std::string rows((image.width + 1) * image.height, '\0');
    uLongf size = rows.size();
    ASSERT_EQ(
        uncompress(reinterpret_cast<Bytef*>(rows.data()), &size,
                   reinterpret_cast<const Bytef*>(chunks[2].data.data()), chunks[2].data.size()),
        Z_OK);
    ASSERT_EQ(size, rows.size());
    for (int y = 0; y < image.height; ++y) {
        const auto row = rows.substr(y * (image.width + 1), image.width + 1);
        ASSERT_EQ(row[0], '\0');
        ASSERT_EQ(row.substr(1), std::string(image.pixels.begin() + y * image.width,
                                             image.pixels.begin() + (y + 1) * image.width));
    }
}

TEST(Base64, EncodesTheStandardAlphabetWithPadding) {
    EXPECT_EQ(EncodeBase64(""), "");
    EXPECT_EQ(EncodeBase64("f"), "Zg==");
    EXPECT_EQ(EncodeBase64("fo"), "Zm8=");
    EXPECT_EQ(EncodeBase64("foo"), "Zm9v");
    EXPECT_EQ(EncodeBase64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(EncodeBase64("\xFB\xFF\xBF"), "+/+/");
    EXPECT_EQ(EncodeBase64(std::string("\0\0", 2)), "AAA=");
}

TEST(Captcha, RandomTextsUseOnlyCharactersThatCannotBeConfused) {
    std::mt19937 random(1);
    for (int i = 0; i < 50; ++i) {
        const std::string text = RandomCaptchaText(random);
        ASSERT_EQ(text.size(), static_cast<std::size_t>(kCaptchaLength));
        EXPECT_EQ(text.find_first_not_of(kCaptchaCharacters), std::string::npos) << text;
    }
}

TEST(Captcha, DrawsOneToSixLettersOrDigits) {
    EXPECT_TRUE(IsDrawableCaptchaText("A"));
    EXPECT_TRUE(IsDrawableCaptchaText("ab12Z9"));
    EXPECT_FALSE(IsDrawableCaptchaText(""));
    EXPECT_FALSE(IsDrawableCaptchaText("ABCDEFG"));
    EXPECT_FALSE(IsDrawableCaptchaText("AB CD"));
    EXPECT_FALSE(IsDrawableCaptchaText("ÁBC"));
}

}  // namespace
}  // namespace sample
