#pragma once

#include <cstddef>
#include <vector>

namespace danfe {

// What goes on each sheet of a DANFE: a run of the products table's rows and a run of the
// lines of the additional information.
struct SheetContent {
    std::size_t rowBegin = 0, rowEnd = 0;
    std::size_t noteBegin = 0, noteEnd = 0;
};

// The room on the sheets, in millimetres. The first sheet holds the table above the
// additional information's box, which takes firstNoteLines lines; the other sheets repeat
// the header and hold the table, then, while lines remain, a continuation box of the
// additional information (noteOverhead for its title and edges, noteLine each line).
struct SheetSpace {
    double firstTable = 0;
    double otherTable = 0;
    std::size_t firstNoteLines = 0;
    double noteOverhead = 0;
    double noteLine = 0;
};

// The sheets for rows of the given heights and noteLines lines of additional information:
// rows fill each table in order (at least one a sheet, however tall); notes that do not fit
// the first sheet's box continue under the table of the last sheet and on sheets of their
// own.
std::vector<SheetContent> PlanSheets(const std::vector<double>& rowHeights, std::size_t noteLines,
                                     const SheetSpace& space);

}  // namespace danfe
