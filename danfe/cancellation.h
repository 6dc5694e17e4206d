#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace danfe {

// Whether xml is the registered cancellation of the invoice key: a procEventoNFe of event
// 110111 for that key whose answer has status 135 or 155. Never throws.
bool IsCancellationOf(std::string_view xml, std::string_view key);

// Whether folder holds such a cancellation, as vellora-dfe writes it beside the invoice
// (KEY-110111-SEQ-procEventoNFe.xml). A file that cannot be read counts as no cancellation.
bool CancellationBeside(const std::filesystem::path& folder, const std::string& key);

}  // namespace danfe
