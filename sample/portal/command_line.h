#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "sample/portal/catalogue.h"
#include "sample/portal/portal.h"

namespace sample {

struct Options {
    int port = 8080;
    PortalSettings settings;
    // Where server.pem, server-key.pem and ca.pem are, for the download over HTTPS.
    std::filesystem::path downloadTls;
    bool list = false;
    bool help = false;
};

// The options after the program's name. Throws std::invalid_argument with a message for
// the user on anything it does not understand.
Options ParseCommandLine(std::span<const std::string_view> arguments);

std::string HelpText();
// One line for each sample key: the key, the layout and what the invoice shows.
std::string ListText(const Catalogue& catalogue);

}  // namespace sample
