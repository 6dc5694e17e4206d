#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sample/dfe/distributed_invoices.h"
#include "sample/dfe/distribution_service.h"

namespace sample {

// The password of the A1 files that --certificates makes; they are throwaway files for a
// demonstration, and the password is printed in the help.
inline constexpr const char* kDemoPassword = "exemplo";

struct DistributionOptions {
    int port = 8443;
    std::filesystem::path certificates;  // the folder of the sample certificates
    ServiceSettings settings;
    bool list = false;
    bool help = false;
};

// The options after the program's name. Throws std::invalid_argument with a message for the
// user on anything it does not understand, or when --certificates is missing.
DistributionOptions ParseDistributionCommandLine(std::span<const std::string_view> arguments);

std::string DistributionHelpText();
// One line for each invoice: the key, what the sample A1's holder gets for it (procNFe, resNFe
// until its Ciência, or 640 where it is not the recipient), and what the invoice shows.
std::string DistributionListText(const std::vector<DistributedInvoice>& invoices);

}  // namespace sample
