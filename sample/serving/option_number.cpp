#include "sample/serving/option_number.h"
#include "text/integer.h"

#include <stdexcept>
#include <string>

namespace sample {

int OptionNumber(std::string_view option, std::string_view text, int low, int high) {
    const std::optional<int> value = text::ParseInteger<int>(text);
    if (!value || *value < low || *value > high) {
        throw std::invalid_argument(std::string(option) + " takes a number from " +
                                    std::to_string(low) + " to " + std::to_string(high) +
                                    ", not \"" + std::string(text) + "\"");
    }
    return *value;
}

}  // namespace sample
