#include "sample/print_page/page_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "text/thousands.h"

namespace sample::page {
namespace {

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

}  // namespace

std::string PageNumber(nfe::Currency value, int minDecimals) {
    const std::int64_t raw = value.Raw();
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    std::string decimals = std::to_string(magnitude % nfe::Currency::kScale);
    decimals.insert(0, 4 - decimals.size(), '0');
    while (static_cast<int>(decimals.size()) > minDecimals && decimals.back() == '0') {
        decimals.pop_back();
    }
    std::string text = raw < 0 ? "-" : "";
    text += text::GroupThousands(std::to_string(magnitude / nfe::Currency::kScale));
    if (!decimals.empty()) {
        text += "," + decimals;
    }
    return text;
}

std::string PageDecimal(double value, int minDecimals, int maxDecimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", maxDecimals, std::fabs(value));
    std::string fixed = text;
    const std::size_t point = fixed.find('.');
    std::string decimals = point == std::string::npos ? "" : fixed.substr(point + 1);
    while (static_cast<int>(decimals.size()) > minDecimals && decimals.back() == '0') {
        decimals.pop_back();
    }
    std::string result = value < 0 && std::stod(fixed) != 0 ? "-" : "";
    result += text::GroupThousands(fixed.substr(0, point));
    if (!decimals.empty()) {
        result += "," + decimals;
    }
    return result;
}

std::string PointNumber(nfe::Currency value) {
    std::string text = PageNumber(value, 2);
    std::string result;
    for (const char c : text) {
        if (c == ',') {
            result += '.';
        } else if (c != '.') {
            result += c;
        }
    }
    return result;
}

std::string PageDate(nfe::TDateTime value) {
    const nfe::CivilDateTime date = nfe::DecodeDateTime(value);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
    return text;
}

std::string PageDateTime(nfe::TDateTime value, std::string_view utcOffset,
                         std::string_view between) {
    const nfe::CivilDateTime time = nfe::DecodeDateTime(value);
    return PageDate(value) + std::string(between) + TwoDigits(time.hour) + ":" +
           TwoDigits(time.minute) + ":" + TwoDigits(time.second) + std::string(utcOffset);
}

std::string FormattedCep(int cep) {
    char text[16];
    std::snprintf(text, sizeof text, "%08d", cep);
    const std::string d = text;
    return d.substr(0, 5) + "-" + d.substr(5);
}

std::string FormattedPhone(std::string_view digits) {
    const std::string d(digits);
    if (d.size() != 10 && d.size() != 11) {
        return d;
    }
    const std::size_t local = d.size() - 2;
    return "(" + d.substr(0, 2) + ") " + d.substr(2, local - 4) + "-" + d.substr(d.size() - 4);
}

}  // namespace sample::page
