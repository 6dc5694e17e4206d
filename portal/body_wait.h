#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "portal/browser.h"

namespace portal {

// Waits for the page's body while the window keeps handling its events: asks again and again
// until the body is there, and gives up with nullopt once `limit` has passed.
std::optional<std::string> WaitForBody(Browser& browser, std::chrono::milliseconds limit);

}  // namespace portal
