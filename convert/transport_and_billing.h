#pragma once

#include <functional>
#include <string_view>

#include "nfe/model/billing.h"
#include "nfe/model/transport.h"

namespace convert {

// Freight mode, carrier, vehicle and, when the block lists "VOLUMES", one volume.
void ReadTransport(std::string_view block, nfe::TTransp& transport,
                   const std::function<void()>& processPendingEvents);

// The bill and, when the block lists "DUPLICATAS", its instalments. A blank block has no bill.
void ReadBilling(std::string_view block, nfe::TCobr& billing);

// The instalments from the rows of the table that follows the header row ending in "Valor":
// number, due date and value per row, or due date and value when the first cell is a date.
// The rows end at a cell holding "else" or when four characters or fewer are left.
void ReadInstalments(std::string_view rows, nfe::TDupCollection& instalments);

}  // namespace convert
