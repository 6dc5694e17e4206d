#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace portal {

// Whether a server's certificate chain (DER, the server's own first) is trusted for host (a
// name or an IP address): it leads to one of the system's authorities or of extraAuthorities
// (PEM files), is valid now, serves TLS servers, and names host. The browser engine knows the
// system's authorities only; this is how it learns of the others, with the same checks.
bool ChainTrusted(const std::vector<std::string>& derChain, const std::string& host,
                  const std::vector<std::filesystem::path>& extraAuthorities);

}  // namespace portal
