#include "sample/portal/captcha.h"

#include <algorithm>

#include "sample/portal/bitmap_font.h"

namespace sample {
namespace {

constexpr int kWidth = 180;
constexpr int kHeight = 56;
constexpr int kDotSize = 5;
constexpr int kMargin = 10;

constexpr std::uint8_t kBackground = 0;
constexpr std::uint8_t kNoise = 1;
constexpr std::uint8_t kFirstInk = 2;
constexpr int kInkCount = 3;

int Draw(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

void DrawLine(IndexedImage& image, int y0, int y1) {
    for (int x = 0; x < image.width; ++x) {
        image.Set(x, y0 + (y1 - y0) * x / image.width, kNoise);
    }
}

}  // namespace

std::string RandomCaptchaText(std::mt19937& random) {
    std::string text;
    for (int i = 0; i < kCaptchaLength; ++i) {
        text += kCaptchaCharacters[Draw(random, 0, kCaptchaCharacters.size() - 1)];
    }
    return text;
}

bool IsDrawableCaptchaText(std::string_view text) {
    return !text.empty() && text.size() <= kMaxCaptchaLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return FindGlyph(c) != nullptr; });
}

IndexedImage DrawCaptcha(std::string_view text, std::mt19937& random) {
    IndexedImage image(
        kWidth, kHeight,
        {{245, 247, 250}, {160, 170, 185}, {0, 0, 160}, {20, 95, 40}, {150, 25, 25}});
    for (int i = 0; i < 150; ++i) {
        image.Set(Draw(random, 0, kWidth - 1), Draw(random, 0, kHeight - 1), kNoise);
    }

    const int slot = (kWidth - 2 * kMargin) / std::max<int>(1, text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = FindGlyph(text[i]);
        if (glyph == nullptr) {
            continue;
        }
        const auto ink = static_cast<std::uint8_t>(kFirstInk + Draw(random, 0, kInkCount - 1));
        const int left =
            kMargin + i * slot + (slot - kGlyphWidth * kDotSize) / 2 + Draw(random, -2, 2);
        const int top = (kHeight - kGlyphHeight * kDotSize) / 2 + Draw(random, -5, 5);
        const int slant = Draw(random, -1, 1);
        for (int row = 0; row < kGlyphHeight; ++row) {
            const int shift = (kGlyphHeight / 2 - row) * slant;
            for (int column = 0; column < kGlyphWidth; ++column) {
                if ((*glyph)[row][column] != '#') {
                    continue;
                }
                for (int dy = 0; dy < kDotSize; ++dy) {
                    for (int dx = 0; dx < kDotSize; ++dx) {
                        image.Set(left + column * kDotSize + dx + shift, top + row * kDotSize + dy,
                                  ink);
                    }
                }
            }
        }
    }

    for (int i = 0; i < 2; ++i) {
        DrawLine(image, Draw(random, 0, kHeight - 1), Draw(random, 0, kHeight - 1));
    }
    return image;
}

}  // namespace sample
