#pragma once

#include <chrono>
#include <functional>

namespace test_support {

// The one QApplication of a test program, created on first use with what the embedded browser
// needs; without a QT_QPA_PLATFORM of its own it runs offscreen.
void EnsureApplication();

// Handles events until `done` holds or `limit` has passed; returns whether it holds.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(20));

}  // namespace test_support
