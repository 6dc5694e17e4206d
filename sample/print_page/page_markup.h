#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sample::page {

// Pieces of the print page's markup. The page is a column of fieldsets whose legends are the
// section headings, each holding tables of cells. A browser puts every table cell, legend and
// title on a line of its own when it serialises the body, so each piece below becomes one page
// line (or, for a title with a break, two). Texts are UTF-8 and are escaped here.

// &, <, > and " as character references.
std::string Escaped(std::string_view text);

// Label, one blank, value: the line "Label value". An empty value keeps the blank ("Label "),
// which some readings of the page count on.
std::string LabelledCell(std::string_view label, std::string_view value);

// Label and value with nothing between them: the line "Labelvalue", for the values the page
// shows right after their label.
std::string JoinedCell(std::string_view label, std::string_view value);

// A cell with text alone.
std::string TextCell(std::string_view text);

// The cells in a table, perRow cells to a row.
std::string CellTable(const std::vector<std::string>& cells, std::size_t perRow = 4);

// A table whose rows are given cell by cell.
std::string RowTable(const std::vector<std::vector<std::string>>& rows,
                     std::string_view cssClass = "box");

// A heading line of its own.
std::string Title(std::string_view text);

// A section: a fieldset with the heading as its legend.
std::string Fieldset(std::string_view legend, std::string_view content);

}  // namespace sample::page
