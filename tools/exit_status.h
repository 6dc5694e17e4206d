#pragma once

namespace tools {

// The exit statuses that the command-line programs share; vellora-dfe adds one of its own.
inline constexpr int kDelivered = 0;  // everything asked for was done
inline constexpr int kFailed = 1;     // something failed; the rest went on
inline constexpr int kUsage = 2;      // a command line that cannot run

}  // namespace tools
