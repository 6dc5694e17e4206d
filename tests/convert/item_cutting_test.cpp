#include "convert/item_cutting.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/convert/item_page_lines.h"

namespace convert {
namespace {

using testing::ListHeader;
using testing::PageLines;

std::vector<std::string> Cut(std::string_view block) {
    const std::vector<std::string_view> texts = CutItemTexts(block);
    return {texts.begin(), texts.end()};
}

// The cutting done the slow way, one search per number and form and one copy per cut.
std::vector<std::string> SlowCut(const std::string& block) {
    const std::string list = block.size() > 92 ? block.substr(92) : "";
    std::string area = list.find("|&|1|&|") != std::string::npos ? list : block;
    int count = 0;
    for (int n = 1; n <= 990; ++n) {
        if (area.find(BlankItemMarker(n)) != std::string::npos ||
            area.find(PlainItemMarker(n)) != std::string::npos) {
            ++count;
        }
    }
    std::vector<std::string> texts;
    for (int n = 1; n <= count; ++n) {
        std::string text;
        if (n < count) {
            for (const std::string& marker : {BlankItemMarker(n + 1), PlainItemMarker(n + 1)}) {
                const std::size_t at = area.find(marker);
                if (text.empty() && at != std::string::npos) {
                    text = area.substr(0, at);
                    area = area.substr(at);
                }
            }
            if (text.empty()) {
                text = std::move(area);
                area.clear();
            }
        } else {
            text = area;
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(CutItemTexts, CutsAtTheMarkerOfTheNextNumber) {
    struct Case {
        const char* name;
        std::string block;
        std::vector<std::string> expected;
    };
    const std::string header = ListHeader();
    const Case cases[] = {
        {"no products block", "", {}},
        {"the list starts after the header",
         header + PageLines({"(R$)", "1", "Alfa", "3,00", "2", "Beta", "4,00"}),
         {"(R$)|&|1|&|Alfa|&|3,00", "|&|2|&|Beta|&|4,00"}},
        {"blank markers only: the header stays in item 1",
         header + PageLines({"", "1 ", "Alfa", "2 ", "Beta"}),
         {header + "|&|1 |&|Alfa", "|&|2 |&|Beta"}},
        {"a short block is cut whole",
         PageLines({"x", "1", "Alfa", "2", "Beta"}),
         {"x|&|1|&|Alfa", "|&|2|&|Beta"}},
        {"a quantity line 3 counts as a third item",
         PageLines({"", "1", "Alfa", "2", "Beta", "3", "UN"}),
         {"|&|1|&|Alfa", "|&|2|&|Beta", "|&|3|&|UN"}},
        {"the blank form wins over an earlier plain form",
         PageLines({"", "1", "Alfa", "2", "Quantidade", "2 ", "Beta"}),
         {"|&|1|&|Alfa|&|2|&|Quantidade", "|&|2 |&|Beta"}},
        {"a missing number gives the rest to the item before it",
         PageLines({"", "1", "Alfa", "2", "Beta", "5", "Gama"}),
         {"|&|1|&|Alfa", "|&|2|&|Beta|&|5|&|Gama", ""}},
        {"a number behind the current item is not cut at",
         PageLines({"", "2", "Beta", "1", "Alfa"}),
         {"|&|2|&|Beta|&|1|&|Alfa", ""}},
        {"numbers inside a line, with zeros or above 990 are no markers",
         PageLines({"", "1", "Lote 2", "02", "991", "2  ", "1000", "2,0"}),
         {"|&|1|&|Lote 2|&|02|&|991|&|2  |&|1000|&|2,0"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cut(c.block), c.expected) << c.name;
        EXPECT_EQ(SlowCut(c.block), c.expected) << c.name;
    }
}

TEST(CutItemTexts, LeavesItemsAbove990InsideItem990) {
    std::string block = ListHeader();
    for (int n = 1; n <= 992; ++n) {
        block += PlainItemMarker(n) + "Item " + std::to_string(n);
    }
    const std::vector<std::string_view> texts = CutItemTexts(block);
    ASSERT_EQ(texts.size(), 990u);
    EXPECT_EQ(texts[0], "|&|1|&|Item 1");
    EXPECT_EQ(texts[989], "|&|990|&|Item 990|&|991|&|Item 991|&|992|&|Item 992");
}

// Markers in every position against the slow way: overlapping separators, both forms, numbers
// out of order, repeated and missing, a header skip or none.
TEST(CutItemTexts, AgreesWithCuttingTheSlowWay) {
    const std::vector<std::string> pieces = {"|&|", "|&|", "|&|", "1", "2", "3", "4",
                                             "10",  "0",   " ",   "x", "&", "|", "(R$)"};
    std::mt19937 random(20240611);
    for (int round = 0; round < 500; ++round) {
        std::string block = round % 2 == 0 ? ListHeader() : "";
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            block += pieces[random() % pieces.size()];
        }
        ASSERT_EQ(Cut(block), SlowCut(block)) << block;
    }
}

}  // namespace
}  // namespace convert
