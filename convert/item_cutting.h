#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace convert {

// The portal lists the items of an invoice one after another, each behind a page line that holds
// only its number, written "|&|3|&|" or, on some pages, "|&|3 |&|" (the number and a blank). The
// line after this marker is the item's description.

// The highest item number that is looked for.
inline constexpr int kMaxItemNumber = 990;

std::string BlankItemMarker(int number);  // "|&|3 |&|"
std::string PlainItemMarker(int number);  // "|&|3|&|"

// Cuts the products block (the page text in front of the totals) into one text per item.
// Element n - 1 holds the text of item n, from where the previous cut ended up to the first
// marker of n + 1 (blank form first, then plain form) that follows; an empty text means that
// number yields no item.
//
// The list starts after the 92 characters of the block's heading and column titles when the
// rest holds "|&|1|&|"; otherwise the whole block is cut. The number of items is how many of the
// numbers 1 to 990 have a marker anywhere in the list, in any order: a quantity line that holds
// only "2" counts as the marker of 2. When the marker of the next number is not found after the
// current item, the item takes all the rest and the numbers after it yield nothing. Markers
// above 990 are never cut at, so their items stay inside the last item counted.
//
// The texts are views into productsBlock.
std::vector<std::string_view> CutItemTexts(std::string_view productsBlock);

}  // namespace convert
