#include "tools/dfe/manifestation.h"

#include <ostream>
#include <set>

#include "dfe/distribution_answer.h"
#include "dfe/manifestation_event.h"
#include "dfe/manifestation_meaning.h"
#include "files/atomic_file.h"
#include "files/system_error_text.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/key_list.h"
#include "tools/dfe/printable.h"

namespace tools {
namespace {

// "a Ciência da Operação", "o Desconhecimento da Operação"
std::string Named(const dfe::ManifestationFacts& facts) {
    return (facts.feminine ? "a " : "o ") + std::string(facts.name);
}

// stem + "a" or "o", as the manifestation's name agrees: "registrada", "registrado".
std::string Agreed(const dfe::ManifestationFacts& facts, std::string_view stem) {
    return std::string(stem) + (facts.feminine ? "a" : "o");
}

// One line of KeyLines::outcomes.
void OutcomeLine(std::ostream& out, const std::string& key, std::string_view result, int cStat,
                 const std::string& file, std::string_view reason) {
    out << key << '\t' << result << '\t' << cStat << '\t' << Printable(file) << '\t'
        << Printable(reason) << '\n'
        << std::flush;
}

int RunManifestation(const DfeArguments& arguments, const dfe::ManifestationRequest& request,
                     KeyLines lines, const DfeContext& context) {
    const KeyList list = KeysToAsk(arguments, context);
    if (list.keys.empty()) {
        return kFailed;
    }
    RequireSomeoneToConfirm(arguments, request.manifestation, context);
    Route route = OpenRoute(arguments, context);
    if (!ConfirmManifestation(arguments, route, request, list.keys.size(), context)) {
        return kFailed;
    }
    const ManifestationReport report =
        RegisterManifestationFor(request, list.keys, arguments.outputFolder, route, context, lines);
    if (list.keys.size() > 1) {
        const dfe::ManifestationFacts& facts = dfe::FactsOf(request.manifestation);
        context.err << report.registered.size() << " de " << list.keys.size() << " chaves com "
                    << Named(facts) << " " << Agreed(facts, "registrad") << "\n";
    }
    if (report.held) {
        return kToldToWait;
    }
    return report.failed == 0 && list.invalid.empty() ? kDelivered : kFailed;
}

}  // namespace

void RequireSomeoneToConfirm(const DfeArguments& arguments, dfe::Manifestation manifestation,
                             const DfeContext& context) {
    if (arguments.confirmed) {
        return;
    }
    if (!context.confirmation.available || !context.confirmation.available()) {
        throw CommandFailure(kUsage, "Registrar " + Named(dfe::FactsOf(manifestation)) +
                                         " é um ato da empresa e pede a confirmação de uma "
                                         "pessoa no terminal, mas não há terminal. Nada foi "
                                         "enviado. Para confirmar na linha de comando, use --sim.");
    }
}

bool ConfirmManifestation(const DfeArguments& arguments, const Route& route,
                          const dfe::ManifestationRequest& request, std::size_t count,
                          const DfeContext& context) {
    const dfe::ManifestationFacts& facts = dfe::FactsOf(request.manifestation);
    const std::string holder = Printable(route.certificate.info().holder);
    context.err << dfe::ManifestationMeaning(request.manifestation, holder, route.party) << "\n";
    if (facts.needsJustification) {
        context.err << "Justificativa: " << request.justification << "\n";
    }
    context.err << std::flush;
    if (arguments.confirmed) {
        return true;
    }
    const std::string question = "Registrar " + Named(facts) + " de " + std::to_string(count) +
                                 " NF-e" + " em nome de " + holder + "? [s/N] ";
    if (context.confirmation.ask && context.confirmation.ask(question)) {
        return true;
    }
    std::string declined = Named(facts) + " não foi " + Agreed(facts, "registrad") + ".\n";
    declined.front() = facts.feminine ? 'A' : 'O';
    context.err << declined;
    return false;
}

ManifestationReport RegisterManifestationFor(const dfe::ManifestationRequest& request,
                                             const std::vector<std::string>& keys,
                                             const std::filesystem::path& folder, Route& route,
                                             const DfeContext& context, KeyLines lines) {
    const dfe::Manifestation manifestation = request.manifestation;
    const dfe::ManifestationFacts& facts = dfe::FactsOf(manifestation);
    const std::string name(facts.name);
    const std::string registered = Agreed(facts, "registrad");
    std::ostream& err = context.err;
    const auto written = [&](const std::filesystem::path& path) {
        if (lines == KeyLines::paths) {
            context.out << path.string() << "\n" << std::flush;
        }
    };
    const auto line = [&](const dfe::ManifestationOutcome& outcome, std::string_view result,
                          const std::filesystem::path& file) {
        if (lines == KeyLines::outcomes) {
            OutcomeLine(context.out, outcome.key, result, outcome.cStat, file.string(),
                        outcome.xMotivo);
        }
    };
    // Beside the invoice: where the keeper keeps the key's documents, or folder.
    const auto folderOf = [&](const std::string& key) {
        return route.keeper ? route.keeper->FolderFor(key) : folder;
    };

    ManifestationReport report;
    std::set<std::string> answered;
    const auto take = [&](const dfe::ManifestationOutcome& outcome) {
        answered.insert(outcome.key);
        report.held = report.held || outcome.cStat == dfe::kExcessiveUse;
        const std::string reason = std::to_string(outcome.cStat) + " " + Printable(outcome.xMotivo);
        switch (outcome.kind) {
            case dfe::ManifestationOutcome::Kind::registered: {
                err << outcome.key << ": " << name << " " << registered << " (" << reason << ").\n";
                report.registered.push_back(outcome.key);
                const std::string fileName = dfe::ManifestationFileName(manifestation, outcome.key);
                std::filesystem::path path;
                try {
                    if (route.keeper) {
                        path =
                            route.keeper->KeepMade(outcome.key, fileName, outcome.processedEvent);
                    } else {
                        files::WriteFileAtomically(folder / fileName, outcome.processedEvent);
                        path = folder / fileName;
                    }
                    written(path);
                } catch (const std::runtime_error& error) {
                    err << outcome.key << ": " << Printable(error.what()) << "\n";
                    ++report.failed;
                }
                line(outcome, "registrado", path);
                break;
            }
            case dfe::ManifestationOutcome::Kind::alreadyRegistered:
                err << outcome.key << ": " << Named(facts) << " já estava " << registered << " ("
                    << reason << ").\n";
                report.registered.push_back(outcome.key);
                line(outcome, "ja-registrado", {});
                break;
            case dfe::ManifestationOutcome::Kind::unconfirmed: {
                err << outcome.key << ": " << name << " não confirmad"
                    << (facts.feminine ? "a" : "o")
                    << ": o evento foi enviado, mas o serviço não respondeu; "
                    << (facts.feminine ? "ela" : "ele") << " pode ter sido " << registered << ".\n";
                ++report.failed;
                std::filesystem::path path;
                try {
                    path = folderOf(outcome.key) /
                           dfe::UnansweredEventFileName(manifestation, outcome.key);
                    files::WriteFileAtomically(path, outcome.signedEvent);
                    written(path);
                } catch (const files::FileError& error) {
                    err << outcome.key << ": " << Printable(error.what()) << "\n";
                    path.clear();
                }
                line(outcome, "sem-resposta", path);
                break;
            }
            case dfe::ManifestationOutcome::Kind::refusedBefore: {
                const char* pronoun = facts.feminine ? "a" : "o";
                err << outcome.key << ": " << Named(facts) << " não foi " << Agreed(facts, "enviad")
                    << ": o serviço já " << pronoun << " recusou numa execução anterior ("
                    << outcome.cStat << "), e enviá-l" << pronoun
                    << " de novo não muda a recusa.\n";
                ++report.failed;
                if (lines == KeyLines::outcomes) {
                    OutcomeLine(context.out, outcome.key, "recusado", outcome.cStat, {},
                                "recusado numa execução anterior; não foi enviado de novo");
                }
                break;
            }
            case dfe::ManifestationOutcome::Kind::refused:
                if (outcome.cStat == 0) {
                    err << outcome.key << ": " << Printable(outcome.xMotivo) << ".\n";
                } else {
                    err << outcome.key << ": o serviço recusou " << Named(facts) << ": " << reason
                        << "\n";
                }
                ++report.failed;
                line(outcome, "recusado", {});
                break;
        }
        err << std::flush;
    };
    try {
        dfe::RegisterManifestation(*route.events, route.certificate, route.environment,
                                   context.clock, *route.record, request, keys, take);
    } catch (const std::exception& error) {
        report.held = dynamic_cast<const dfe::UseLimitReached*>(&error) != nullptr;
        // The connection, the answer, the signature, a file or the service's hold: the keys
        // after it are not sent.
        const std::string why = files::ExceptionText(error);
        err << Printable(why) << "\n";
        for (const std::string& key : keys) {
            if (answered.contains(key)) {
                continue;
            }
            err << key << ": " << name << " não " << registered << ".\n";
            ++report.failed;
            if (lines == KeyLines::outcomes) {
                OutcomeLine(context.out, key, "nao-enviado", 0, {}, why);
            }
        }
    }
    return report;
}

int RunCienciaCommand(const DfeArguments& arguments, const DfeContext& context) {
    return RunManifestation(arguments, {dfe::Manifestation::ciencia, {}}, KeyLines::paths, context);
}

int RunManifestCommand(const DfeArguments& arguments, const DfeContext& context) {
    return RunManifestation(arguments, {*arguments.manifestation, arguments.justification},
                            KeyLines::outcomes, context);
}

}  // namespace tools
