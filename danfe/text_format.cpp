#include "danfe/text_format.h"

#include <cstddef>

#include "text/thousands.h"

namespace danfe {

namespace {

std::string Padded(std::string_view text, std::size_t width) {
    return text.size() >= width ? std::string(text)
                                : std::string(width - text.size(), '0') + std::string(text);
}

}  // namespace

std::string Decimal(std::string_view text, int minDecimals) {
    if (text.empty()) {
        return {};
    }
    const bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string decimals(point == std::string_view::npos ? "" : text.substr(point + 1));
    while (decimals.size() > static_cast<std::size_t>(minDecimals) && decimals.back() == '0') {
        decimals.pop_back();
    }
    while (decimals.size() < static_cast<std::size_t>(minDecimals)) {
        decimals += '0';
    }
    std::string result = (negative ? "-" : "") + text::GroupThousands(whole.empty() ? "0" : whole);
    if (!decimals.empty()) {
        result += ',' + decimals;
    }
    return result;
}

std::string Money(std::string_view text) {
    return Decimal(text.empty() ? "0" : text, 2);
}

std::string InvoiceNumber(std::string_view number) {
    return text::GroupThousands(Padded(number, 9));
}

std::string Series(std::string_view series) {
    return Padded(series, 3);
}

std::string PostalCode(std::string_view text) {
    return text.size() == 8 ? std::string(text.substr(0, 5)) + '-' + std::string(text.substr(5))
                            : std::string(text);
}

std::string DatePart(std::string_view iso) {
    if (iso.size() < 10) {
        return std::string(iso);
    }
    return std::string(iso.substr(8, 2)) + '/' + std::string(iso.substr(5, 2)) + '/' +
           std::string(iso.substr(0, 4));
}

std::string TimePart(std::string_view iso) {
    const std::size_t t = iso.find('T');
    return t == std::string_view::npos || iso.size() < t + 9 ? std::string()
                                                             : std::string(iso.substr(t + 1, 8));
}

std::string FreightMode(std::string_view mode, std::string_view layout) {
    const bool old = layout == "2.00";
    std::string meaning;
    if (mode == "0") {
        meaning = old ? "Emitente" : "Remetente";
    } else if (mode == "1") {
        meaning = old ? "Dest/Rem" : "Destinatário";
    } else if (mode == "2") {
        meaning = "Terceiros";
    } else if (mode == "3") {
        meaning = "Próprio Rem.";
    } else if (mode == "4") {
        meaning = "Próprio Dest.";
    } else if (mode == "9") {
        meaning = "Sem Frete";
    }
    return meaning.empty() ? std::string(mode) : std::string(mode) + " - " + meaning;
}

}  // namespace danfe
