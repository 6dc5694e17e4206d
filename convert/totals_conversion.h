#pragma once

#include <functional>
#include <string_view>

#include "nfe/model/totals.h"

namespace convert {

// The invoice's totals from the totals block. The invoice total replaces the one read from
// the invoice data; the ICMS relief total is not on the page.
void ReadTotals(std::string_view block, nfe::TICMSTot& totals,
                const std::function<void()>& processPendingEvents);

}  // namespace convert
