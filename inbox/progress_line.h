#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace inbox {

// The line that vellora-dfe manifestar writes for each key, for programs that drive it:
// KEY, RESULT, CSTAT, FILE and REASON separated by tabs.
struct ManifestLine {
    std::string key;
    std::string result;  // registrado, ja-registrado, recusado, sem-resposta, nao-enviado
    std::string status;  // cStat
    std::string file;
    std::string reason;  // xMotivo

    // Registered now or before: the service hands the full invoice over after it.
    bool Registered() const { return result == "registrado" || result == "ja-registrado"; }
};
std::optional<ManifestLine> ReadManifestLine(std::string_view line);

// A line of vellora-dfe's output as the window's progress line shows it: "[2/5] KEY" as
// "Nota 2 de 5: KEY", a manifestation's line for a key in words, a wait for the service's
// limits said in words, control characters as blanks. "" for a line with nothing to show.
std::string ProgressText(std::string_view line);

// How a command ended, from its exit status (vellora-dfe: 0 done, 1 failed, 2 refused, 3 told
// to wait), or that the person stopped it.
std::string OutcomeText(int exitStatus, bool cancelled);

}  // namespace inbox
