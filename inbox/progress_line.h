#pragma once

#include <string>
#include <string_view>

namespace inbox {

// A line of vellora-dfe's output as the window's progress line shows it: "[2/5] KEY" as
// "Nota 2 de 5: KEY", a wait for the service's limits said in words, control characters as
// blanks. "" for a line with nothing to show.
std::string ProgressText(std::string_view line);

// How a command ended, from its exit status (vellora-dfe: 0 done, 1 failed, 2 refused, 3 told
// to wait), or that the person stopped it.
std::string OutcomeText(int exitStatus, bool cancelled);

}  // namespace inbox
