#include "convert/item_cutting.h"

#include <algorithm>
#include <cstddef>

#include "convert/copy.h"
#include "convert/page_text.h"
#include "text/character_filters.h"

namespace convert {
namespace {

constexpr auto npos = std::string_view::npos;

// The heading "Dados dos Produtos e Serviços" and the column titles of the item list.
constexpr std::size_t kListHeaderLength = 92;

std::string_view ItemArea(std::string_view productsBlock) {
    const std::string_view list =
        Copy(productsBlock, kListHeaderLength + 1, static_cast<std::int64_t>(productsBlock.size()));
    return list.find(PlainItemMarker(1)) != npos ? list : productsBlock;
}

// Where each item marker occurs in the item area, in ascending order, by number and form.
struct MarkerPositions {
    std::vector<std::vector<std::size_t>> blank =
        std::vector<std::vector<std::size_t>>(kMaxItemNumber + 1);
    std::vector<std::vector<std::size_t>> plain =
        std::vector<std::vector<std::size_t>>(kMaxItemNumber + 1);
};

// One pass over the line separators instead of a search per number and form. A marker line is a
// separator, a number from 1 to 990 without leading zeros, an optional blank and a separator.
MarkerPositions FindItemMarkers(std::string_view area) {
    MarkerPositions markers;
    for (std::size_t at = area.find(kLineSeparator); at != npos;
         at = area.find(kLineSeparator, at + 1)) {
        std::size_t end = at + kLineSeparator.size();
        if (end >= area.size() || !text::IsDigit(area[end]) || area[end] == '0') {
            continue;
        }
        int number = 0;
        while (end < area.size() && text::IsDigit(area[end]) && number <= kMaxItemNumber) {
            number = number * 10 + (area[end] - '0');
            ++end;
        }
        if (number > kMaxItemNumber) {
            continue;
        }
        const std::string_view after = area.substr(end);
        if (after.starts_with(kLineSeparator)) {
            markers.plain[static_cast<std::size_t>(number)].push_back(at);
        } else if (after.starts_with(" ") && after.substr(1).starts_with(kLineSeparator)) {
            markers.blank[static_cast<std::size_t>(number)].push_back(at);
        }
    }
    return markers;
}

// The first position at or after from, or npos.
std::size_t FirstFrom(const std::vector<std::size_t>& positions, std::size_t from) {
    const auto found = std::lower_bound(positions.begin(), positions.end(), from);
    return found == positions.end() ? npos : *found;
}

}  // namespace

std::string BlankItemMarker(int number) {
    return std::string(kLineSeparator) + std::to_string(number) + " " + std::string(kLineSeparator);
}

std::string PlainItemMarker(int number) {
    return std::string(kLineSeparator) + std::to_string(number) + std::string(kLineSeparator);
}

std::vector<std::string_view> CutItemTexts(std::string_view productsBlock) {
    const std::string_view area = ItemArea(productsBlock);
    const MarkerPositions markers = FindItemMarkers(area);

    std::size_t count = 0;
    for (std::size_t number = 1; number <= kMaxItemNumber; ++number) {
        if (!markers.blank[number].empty() || !markers.plain[number].empty()) {
            ++count;
        }
    }

    // The items not yet cut are area.substr(start). A marker right at start would leave an empty
    // item in front of it, so it does not count as a cut.
    std::vector<std::string_view> texts(count);
    std::size_t start = 0;
    for (std::size_t number = 1; number <= count; ++number) {
        std::size_t cut = npos;
        if (number < count) {
            cut = FirstFrom(markers.blank[number + 1], start);
            if (cut == npos || cut == start) {
                cut = FirstFrom(markers.plain[number + 1], start);
            }
        }
        if (cut == npos || cut == start) {
            texts[number - 1] = area.substr(start);
            start = area.size();
        } else {
            texts[number - 1] = area.substr(start, cut - start);
            start = cut;
        }
    }
    return texts;
}

}  // namespace convert
