#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dfe/manifestation_registration.h"
#include "tools/dfe/dfe_arguments.h"
#include "tools/dfe/dfe_command.h"
#include "tools/dfe/route.h"

namespace tools {

// Throws CommandFailure (exit status 2) when the manifestation would need a person's
// confirmation and there is no terminal to ask: checked before anything is sent.
void RequireSomeoneToConfirm(const DfeArguments& arguments, dfe::Manifestation manifestation,
                             const DfeContext& context);

// Says on err which manifestation it is, that it is a legal act of the company in the
// certificate holder's name, and what it declares (with the justification), and asks to
// confirm it for count keys, unless --sim confirmed it already. Returns whether it may be
// registered.
bool ConfirmManifestation(const DfeArguments& arguments, const Route& route,
                          const dfe::ManifestationRequest& request, std::size_t count,
                          const DfeContext& context);

// What goes to out for each key: the paths of the files written (the ciencia command and
// chave --ciencia), or one line of tab-separated fields per key (manifestar):
// CHAVE, RESULTADO (registrado, ja-registrado, recusado, sem-resposta, nao-enviado), CSTAT
// (0 when the service said nothing of the key), ARQUIVO (the procEventoNFe, or the event
// kept when no answer came; empty otherwise), MOTIVO (xMotivo, or why it was not sent).
enum class KeyLines { paths, outcomes };

// What became of the manifestation of a list of keys.
struct ManifestationReport {
    // Registered now or before: for the Ciência, their full invoice may be asked for.
    std::vector<std::string> registered;
    // The keys that the service refused, or that were not sent because of a failure.
    std::size_t failed = 0;
    // The event service answered 656 or holds the CNPJ base's events: the rest waits an hour.
    bool held = false;
};

// Registers the manifestation for keys, writes each registered event beside the invoice
// (into folder, or where the keeper keeps the key's documents) as
// KEY-TPEVENTO-01-procEventoNFe.xml, and says on err what happened to each key. A failure of
// the connection, the answer or a file ends the registration; the keys not sent are reported
// as such.
ManifestationReport RegisterManifestationFor(const dfe::ManifestationRequest& request,
                                             const std::vector<std::string>& keys,
                                             const std::filesystem::path& folder, Route& route,
                                             const DfeContext& context, KeyLines lines);

}  // namespace tools
