#include "text/character_filters.h"

#include <algorithm>
#include <iterator>

namespace text {
namespace {

bool IsLetterOrDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

template <typename Keep>
std::string Filter(std::string_view text, Keep keep) {
    std::string result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), keep);
    return result;
}

}  // namespace

std::string DigitsOnly(std::string_view text) {
    return Filter(text, IsDigit);
}

std::string LettersAndDigitsOnly(std::string_view text) {
    return Filter(text, IsLetterOrDigit);
}

}  // namespace text
