#include "sample/portal/fault_mode.h"

#include <algorithm>
#include <stdexcept>

namespace sample {
namespace {

constexpr FaultModeInfo kModes[] = {
    {FaultMode::serverError, "server-error", "the submission answers HTTP 500 with an error page",
     true},
    {FaultMode::maintenance, "maintenance",
     "the submission leads to a maintenance page at an unknown address", true},
    {FaultMode::noCaptcha, "no-captcha", "consultation pages come without the security image",
     false},
    {FaultMode::captchaNotPng, "captcha-not-png",
     "the security image's PNG data address holds a GIF picture", false},
    {FaultMode::vanishingBody, "vanishing-body",
     "the print page's own script removes its body once the page has loaded", true},
    {FaultMode::slowPages, "slow",
     "the result and print pages (every page with --fault) answer after some seconds", true},
    {FaultMode::downloadBroken, "download-broken",
     "the download announces the whole file and breaks off half-way", true},
    {FaultMode::downloadMissing, "download-404",
     "the download is sent once, to the browser, and answers 404 to every later request", true},
    {FaultMode::downloadEmpty, "download-empty", "the download sends an empty file", true},
};

}  // namespace

std::span<const FaultModeInfo> FaultModes() {
    return kModes;
}

const FaultModeInfo& InfoOf(FaultMode mode) {
    const auto* found =
        std::find_if(std::begin(kModes), std::end(kModes),
                     [mode](const FaultModeInfo& info) { return info.mode == mode; });
    if (found == std::end(kModes)) {
        throw std::logic_error("no description of this fault mode");
    }
    return *found;
}

std::optional<FaultMode> FaultModeNamed(std::string_view name) {
    for (const FaultModeInfo& info : kModes) {
        if (info.name == name) {
            return info.mode;
        }
    }
    return std::nullopt;
}

}  // namespace sample
