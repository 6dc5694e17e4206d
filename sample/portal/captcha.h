#pragma once

#include <random>
#include <string>
#include <string_view>

#include "sample/portal/indexed_image.h"

namespace sample {

// The security image: a few characters that a person reads and types back.

// Characters that a reader cannot take for one another in the dot font: 0, 1, 2, 5, B, G,
// I, L, O, Q, S and Z are left out.
inline constexpr std::string_view kCaptchaCharacters = "346789ACDEFHJKMNPRTUVWXY";
inline constexpr int kCaptchaLength = 5;
inline constexpr int kMaxCaptchaLength = 6;

std::string RandomCaptchaText(std::mt19937& random);

// One to six digits or letters: the texts that DrawCaptcha can show.
bool IsDrawableCaptchaText(std::string_view text);

// The text in dark dots of scattered colour, each character nudged and slanted at random,
// over a little noise; 180 x 56 pixels. Letters are shown as capitals.
IndexedImage DrawCaptcha(std::string_view text, std::mt19937& random);

}  // namespace sample
