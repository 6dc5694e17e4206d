#include "danfe/sheet_plan.h"

#include <gtest/gtest.h>

namespace danfe {
namespace {

// First table 10 mm, the others 20 mm; 3 note lines in the first box; a continuation box
// takes 2 mm and 1 mm a line.
constexpr SheetSpace kSpace{10, 20, 3, 2, 1};

std::string Describe(const std::vector<SheetContent>& sheets) {
    std::string text;
    for (const SheetContent& s : sheets) {
        text += "[" + std::to_string(s.rowBegin) + "," + std::to_string(s.rowEnd) + ")" + "n[" +
                std::to_string(s.noteBegin) + "," + std::to_string(s.noteEnd) + ") ";
    }
    return text;
}

struct Case {
    std::vector<double> rows;
    std::size_t notes;
    const char* sheets;
};

const Case kCases[] = {
    // Nothing at all: still one sheet.
    {{}, 0, "[0,0)n[0,0) "},
    // Rows fill the first table, then the others.
    {{4, 4, 4, 4, 4, 4, 4, 4}, 0, "[0,2)n[0,0) [2,7)n[0,0) [7,8)n[0,0) "},
    // A row taller than a whole table still goes on a sheet of its own.
    {{30, 1}, 0, "[0,1)n[0,0) [1,2)n[0,0) "},
    // Notes beyond the first box go under the last table (20 - 4 = 16 mm: 14 lines).
    {{4, 4, 4, 4}, 10, "[0,2)n[0,3) [2,4)n[3,10) "},
    // ... and onto sheets of their own when the first sheet is the only one (18 a sheet).
    {{4}, 40, "[0,1)n[0,3) [1,1)n[3,21) [1,1)n[21,39) [1,1)n[39,40) "},
    // A full last table leaves them all to a sheet of their own.
    {{4, 4, 10, 10}, 5, "[0,2)n[0,3) [2,4)n[3,3) [4,4)n[3,5) "},
};

TEST(SheetPlan, RowsFillTheTablesAndNotesContinueAfterTheLastOne) {
    for (const Case& c : kCases) {
        EXPECT_EQ(Describe(PlanSheets(c.rows, c.notes, kSpace)), c.sheets)
            << c.rows.size() << " rows, " << c.notes << " notes";
    }
}

}  // namespace
}  // namespace danfe
