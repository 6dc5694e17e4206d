#include "sample/print_page/page_markup.h"

namespace sample::page {

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

namespace {

// An empty value still needs an element after the blank: a browser drops a blank at the end
// of a line, but keeps it in front of an inline element.
std::string ValueSpan(std::string_view value) {
    return "<span>" + (value.empty() ? std::string("&nbsp;") : Escaped(value)) + "</span>";
}

}  // namespace

std::string LabelledCell(std::string_view label, std::string_view value) {
    return "<td><label>" + Escaped(label) + "</label> " + ValueSpan(value) + "</td>";
}

std::string JoinedCell(std::string_view label, std::string_view value) {
    return "<td><label>" + Escaped(label) + "</label>" + ValueSpan(value) + "</td>";
}

std::string TextCell(std::string_view text) {
    return "<td>" + Escaped(text) + "</td>";
}

std::string CellTable(const std::vector<std::string>& cells, std::size_t perRow) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i % perRow == 0) {
            rows.emplace_back();
        }
        rows.back().push_back(cells[i]);
    }
    return RowTable(rows);
}

std::string RowTable(const std::vector<std::vector<std::string>>& rows, std::string_view cssClass) {
    std::string out = "<table class=\"" + std::string(cssClass) + "\">\n";
    for (const std::vector<std::string>& row : rows) {
        out += "<tr>";
        for (const std::string& cell : row) {
            out += cell;
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
    return out;
}

std::string Title(std::string_view text) {
    return "<div class=\"titulo\">" + Escaped(text) + "</div>\n";
}

std::string Fieldset(std::string_view legend, std::string_view content) {
    return "<fieldset>\n<legend>" + Escaped(legend) + "</legend>\n" + std::string(content) +
           "</fieldset>\n";
}

}  // namespace sample::page
