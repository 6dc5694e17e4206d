#include "text/ascii_case.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace text {
namespace {

constexpr auto npos = std::string_view::npos;

bool IsAsciiLetter(char c) {
    return AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'Z';
}

bool EqualIgnoringCase(const char* a, const char* b, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

// How often a byte occurs in a page text, roughly: 0 for the rarest. Accented letters and
// rare letters come first; blanks, the line separator and the common Portuguese letters last.
constexpr std::array<std::uint8_t, 256> kCommonness = [] {
    std::array<std::uint8_t, 256> table{};
    for (int byte = 0; byte < 0x80; ++byte) {
        table[byte] = byte >= '0' && byte <= '9' ? 3 : 2;
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        table[letter] = table[letter + ('a' - 'A')] = 1;
    }
    for (const char letter : std::string_view("NDMUTCLP")) {
        table[letter] = table[letter + ('a' - 'A')] = 4;
    }
    for (const char letter : std::string_view("AEOSRI")) {
        table[letter] = table[letter + ('a' - 'A')] = 5;
    }
    table[' '] = table['|'] = table['&'] = 6;
    return table;
}();

int Commonness(char c) {
    return kCommonness[static_cast<unsigned char>(c)];
}

// The two positions of the pattern whose bytes are likely the rarest in the text (the same
// position twice for a pattern of one byte). Candidates must match both before the whole
// pattern is compared.
struct Anchors {
    std::size_t rarest = 0;
    std::size_t second = 0;
};

Anchors ChooseAnchors(std::string_view pattern) {
    Anchors anchors;
    for (std::size_t i = 1; i < pattern.size(); ++i) {
        if (Commonness(pattern[i]) < Commonness(pattern[anchors.rarest])) {
            anchors.rarest = i;
        }
    }
    anchors.second = anchors.rarest == 0 ? pattern.size() - 1 : 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (i != anchors.rarest && Commonness(pattern[i]) < Commonness(pattern[anchors.second])) {
            anchors.second = i;
        }
    }
    return anchors;
}

const char* FindByte(const char* from, const char* end, char byte) {
    return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(end - from)));
}

// Finds the rarest anchor byte, in both cases, with memchr from the starting position from on.
std::size_t FindWithMemchr(std::string_view text, std::string_view pattern, std::size_t from,
                           std::size_t anchor) {
    // The anchor bytes of the possible starting positions lie in [first, end).
    const char* const first = text.data() + from + anchor;
    const char* const end = text.data() + (text.size() - pattern.size()) + anchor + 1;
    const char upper = AsciiUpper(pattern[anchor]);
    const char lower = AsciiLower(pattern[anchor]);

    const char* nextUpper = FindByte(first, end, upper);
    const char* nextLower = upper == lower ? nullptr : FindByte(first, end, lower);
    while (nextUpper != nullptr || nextLower != nullptr) {
        const bool upperFirst =
            nextLower == nullptr || (nextUpper != nullptr && nextUpper < nextLower);
        const char*& candidate = upperFirst ? nextUpper : nextLower;
        const char* const start = candidate - anchor;
        if (EqualIgnoringCase(start, pattern.data(), pattern.size())) {
            return static_cast<std::size_t>(start - text.data());
        }
        candidate = FindByte(candidate + 1, end, upperFirst ? upper : lower);
    }
    return npos;
}

#ifdef __SSE2__
// Tests 16 starting positions at a time on both anchor bytes. An ASCII letter is compared with
// the 0x20 bit set on both sides, which folds its case; the few other bytes that this confuses
// ("@" and "`", for instance) are weeded out by the full comparison. Returns the first match,
// or npos with from moved to the first starting position not yet tested.
std::size_t FindInBlocks(std::string_view text, std::string_view pattern, std::size_t& from,
                         Anchors anchors) {
    const auto foldBit = [](char c) { return _mm_set1_epi8(IsAsciiLetter(c) ? 0x20 : 0); };
    const auto folded = [](char c) { return _mm_set1_epi8(IsAsciiLetter(c) ? AsciiLower(c) : c); };
    const __m128i fold1 = foldBit(pattern[anchors.rarest]);
    const __m128i byte1 = folded(pattern[anchors.rarest]);
    const __m128i fold2 = foldBit(pattern[anchors.second]);
    const __m128i byte2 = folded(pattern[anchors.second]);
    const std::size_t starts = text.size() - pattern.size() + 1;
    for (; from + 16 <= starts; from += 16) {
        const char* const block = text.data() + from;
        const auto load = [](const char* p) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        };
        const __m128i match1 =
            _mm_cmpeq_epi8(_mm_or_si128(load(block + anchors.rarest), fold1), byte1);
        const __m128i match2 =
            _mm_cmpeq_epi8(_mm_or_si128(load(block + anchors.second), fold2), byte2);
        for (auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(match1, match2)));
             bits != 0; bits &= bits - 1) {
            const std::size_t start = from + static_cast<std::size_t>(std::countr_zero(bits));
            if (EqualIgnoringCase(text.data() + start, pattern.data(), pattern.size())) {
                return start;
            }
        }
    }
    return npos;
}
#endif

}  // namespace

std::string AsciiUpperCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

std::string AsciiLowerCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && EqualIgnoringCase(a.data(), b.data(), a.size());
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view pattern, std::size_t from) {
    if (pattern.empty() || from > text.size() || pattern.size() > text.size() - from) {
        return npos;
    }
    const Anchors anchors = ChooseAnchors(pattern);
#ifdef __SSE2__
    if (const std::size_t found = FindInBlocks(text, pattern, from, anchors); found != npos) {
        return found;
    }
#endif
    return FindWithMemchr(text, pattern, from, anchors.rarest);
}

}  // namespace text
