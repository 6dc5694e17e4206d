#pragma once

#include "catalog/catalog.h"
#include "dfe/clock.h"
#include "tools/dfe/dfe_command.h"

namespace tools {

// Whole days until the company's certificate expires; negative once it has.
long DaysLeft(const catalog::Company& company, dfe::Time now);
// From 30 days before the certificate expires, says so on context.err.
void WarnOfExpiry(const catalog::Company& company, const DfeContext& context);

}  // namespace tools
