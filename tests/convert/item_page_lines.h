#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "text/windows1252.h"

namespace convert::testing {

// Page lines written as UTF-8 in a test, as the page text holds them: Windows-1252, joined by
// "|&|" and without a separator after the last line.
inline std::string PageLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    bool first = true;
    for (const std::string_view line : lines) {
        text += first ? "" : "|&|";
        text += text::Utf8ToWindows1252(line);
        first = false;
    }
    return text;
}

// The heading of the products block and the column titles of its list: 92 characters.
inline std::string ListHeader() {
    std::string header = PageLines({"Dados dos Produtos e Serviços", "Num.", "Descrição", "Qtd.",
                                    "Unidade Comercial", "Valor"});
    header.resize(92, ' ');
    return header;
}

}  // namespace convert::testing
