#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"

namespace inbox {

// A company whose certificate is on a token and whose PIN no password file holds: the window
// asks the PIN for each run of vellora-dfe in its name, and keeps it no longer than the run.
bool AsksForPin(const catalog::Company& company);

// The question of the PIN box, naming the company.
std::string PinQuestion(const catalog::Company& company);

// One run of "vellora-dfe sincronizar": the companies it covers (none: every company), and
// the company whose PIN is asked before it.
struct SynchroniseRun {
    std::vector<std::string> cnpjs;
    std::optional<catalog::Company> pinOf;
};

// "Buscar novas" for the chosen company, or for every company when chosen is empty. The child
// takes one PIN, which would stand for the kept passwords too: the companies whose passwords
// are kept go in one run, then each company on a token in a run of its own.
std::vector<SynchroniseRun> SynchroniseRuns(const std::vector<catalog::Company>& companies,
                                            const std::string& chosen);

}  // namespace inbox
