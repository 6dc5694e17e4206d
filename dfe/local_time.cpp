#include "dfe/local_time.h"

#include <ctime>

namespace dfe {
namespace {

std::string Formatted(Time moment, const char* format) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, format, &parts));
}

}  // namespace

std::string LocalDateText(Time moment) {
    return Formatted(moment, "%d/%m/%Y");
}

std::string LocalDateTimeText(Time moment) {
    return Formatted(moment, "%d/%m/%Y %H:%M");
}

}  // namespace dfe
