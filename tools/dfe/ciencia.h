#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/dfe/dfe_arguments.h"
#include "tools/dfe/dfe_command.h"
#include "tools/dfe/route.h"

namespace tools {

// Throws CommandFailure (exit status 2) when the Ciência would need a person's confirmation
// and there is no terminal to ask: checked before anything is sent.
void RequireSomeoneToConfirm(const DfeArguments& arguments, const DfeContext& context);

// Says on err that the Ciência is a legal act of the company, in the certificate holder's
// name, and asks to confirm it for count keys, unless --sim confirmed it already. Returns
// whether it may be registered.
bool ConfirmCiencia(const DfeArguments& arguments, const Route& route, std::size_t count,
                    const DfeContext& context);

// What became of the Ciência of a list of keys.
struct CienciaReport {
    // Registered now or before: their full invoice may be asked for.
    std::vector<std::string> registered;
    // The keys that the service refused, or that were not sent because of a failure.
    std::size_t failed = 0;
    // The event service answered 656 or holds the CNPJ base's events: the rest waits an hour.
    bool held = false;
};

// Registers the Ciência for keys, writes each registered event into folder as
// KEY-210210-01-procEventoNFe.xml (its path to out), and says on err what happened to each
// key. A failure of the connection, the answer or a file ends the registration; the keys not
// sent are reported as such.
CienciaReport RegisterCienciaFor(const std::vector<std::string>& keys,
                                 const std::filesystem::path& folder, Route& route,
                                 const DfeContext& context);

}  // namespace tools
