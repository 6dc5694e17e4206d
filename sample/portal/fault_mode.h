#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sample {

// Ways in which the sample portal misbehaves on purpose, for the robustness tests of the
// program. A mode applies to one sample key, or to every query when given on the command
// line.
enum class FaultMode {
    none,
    serverError,
    maintenance,
    noCaptcha,
    captchaNotPng,
    vanishingBody,
    slowPages,
    downloadBroken,
    downloadMissing,
    downloadEmpty,
};

struct FaultModeInfo {
    FaultMode mode;
    std::string_view name;  // as given to --fault
    std::string_view description;
    // Modes of the consultation page itself come before any key is known.
    bool chosenByKey;
};

// Every mode but none, in a fixed order.
std::span<const FaultModeInfo> FaultModes();

const FaultModeInfo& InfoOf(FaultMode mode);
std::optional<FaultMode> FaultModeNamed(std::string_view name);

}  // namespace sample
