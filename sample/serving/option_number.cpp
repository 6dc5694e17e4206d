#include "sample/serving/option_number.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace sample {

int OptionNumber(std::string_view option, std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw std::invalid_argument(std::string(option) + " takes a number from " +
                                    std::to_string(low) + " to " + std::to_string(high) +
                                    ", not \"" + std::string(text) + "\"");
    }
    return value;
}

}  // namespace sample
