#include "danfe/sheet_plan.h"

#include <algorithm>

namespace danfe {

std::vector<SheetContent> PlanSheets(const std::vector<double>& rowHeights, std::size_t noteLines,
                                     const SheetSpace& space) {
    std::vector<SheetContent> sheets;
    double freeOnLast = 0;
    std::size_t row = 0;
    do {
        const double room = sheets.empty() ? space.firstTable : space.otherTable;
        SheetContent sheet{row, row};
        double used = 0;
        while (row < rowHeights.size() &&
               (sheet.rowEnd == sheet.rowBegin || used + rowHeights[row] <= room)) {
            used += rowHeights[row];
            sheet.rowEnd = ++row;
        }
        freeOnLast = room - used;
        sheets.push_back(sheet);
    } while (row < rowHeights.size());

    std::size_t note = std::min(noteLines, space.firstNoteLines);
    sheets.front().noteEnd = note;
    const auto linesIn = [&](double room) {
        const double forLines = room - space.noteOverhead;
        return forLines < space.noteLine || space.noteLine <= 0
                   ? std::size_t{0}
                   : static_cast<std::size_t>(forLines / space.noteLine);
    };
    if (note < noteLines && sheets.size() > 1) {
        SheetContent& last = sheets.back();
        last.noteBegin = note;
        note = std::min(noteLines, note + linesIn(freeOnLast));
        last.noteEnd = note;
    }
    const std::size_t perSheet = std::max<std::size_t>(1, linesIn(space.otherTable));
    while (note < noteLines) {
        SheetContent sheet{row, row, note, std::min(noteLines, note + perSheet)};
        note = sheet.noteEnd;
        sheets.push_back(sheet);
    }
    return sheets;
}

}  // namespace danfe
