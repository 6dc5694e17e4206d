#include <ostream>

#include "dfe/local_time.h"
#include "files/atomic_file.h"
#include "tools/dfe/ciencia.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/document_files.h"
#include "tools/dfe/key_list.h"
#include "tools/dfe/printable.h"
#include "tools/dfe/route.h"

namespace tools {
namespace {

constexpr std::string_view kSummaryOnly =
    "só veio o resumo (resNFe): o destinatário ainda não registrou a Ciência da Operação, "
    "que o serviço exige para entregar a NF-e completa.";
constexpr std::string_view kSummaryBeforeCiencia =
    "só veio o resumo (resNFe); a Ciência da Operação será registrada, e a chave, consultada "
    "de novo.";
constexpr std::string_view kStillSummary =
    "a Ciência da Operação está registrada, mas o serviço ainda entregou só o resumo (resNFe): "
    "no serviço real, a NF-e completa pode levar algum tempo para ficar disponível depois da "
    "Ciência. Consulte a chave de novo mais tarde.";

enum class KeyOutcome { delivered, summary, failed, stop, wait };

// Asks one key and writes what came; says on err what happened, with onSummary when only the
// summary came.
KeyOutcome AskKey(const std::string& key, const std::filesystem::path& folder, Route& route,
                  const DfeContext& context, std::string_view onSummary) {
    std::ostream& err = context.err;
    dfe::KeyAnswer answer;
    try {
        answer = route.session->ConsultKey(key);
    } catch (const dfe::UseLimitReached& limit) {
        err << key << ": " << limit.what() << "\n";
        return KeyOutcome::wait;
    } catch (const dfe::TransportError& error) {
        // The next key would meet the same network, and each attempt counts for the limits.
        err << key << ": " << Printable(error.what()) << "\n";
        return KeyOutcome::stop;
    } catch (const dfe::StateError& error) {
        err << key << ": " << Printable(error.what()) << "\n";
        return KeyOutcome::stop;
    } catch (const dfe::AnswerError& error) {
        err << key << ": " << Printable(error.what()) << " Nenhum arquivo foi gravado.\n";
        return KeyOutcome::failed;
    }

    const std::string reason = std::to_string(answer.cStat) + " " + Printable(answer.xMotivo);
    if (answer.hold) {
        err << key << ": o serviço respondeu " << reason << ". Nenhuma consulta será enviada "
            << "antes de " << dfe::LocalDateTimeText(answer.hold->until) << ".\n";
        return KeyOutcome::wait;
    }
    if (answer.cStat != dfe::kDocumentsFound) {
        err << key << ": o serviço recusou a consulta: " << reason << "\n";
        return KeyOutcome::failed;
    }

    try {
        for (const dfe::ReceivedDocument& document : answer.documents) {
            context.out << KeepDocument(route.keeper.get(), folder, document).string() << "\n"
                        << std::flush;
        }
    } catch (const std::runtime_error& error) {
        // The file, or its row in the catalogue.
        err << key << ": " << Printable(error.what()) << "\n";
        return KeyOutcome::stop;
    }
    if (dfe::FullInvoice(answer) != nullptr) {
        return KeyOutcome::delivered;
    }
    if (dfe::OnlySummary(answer)) {
        err << key << ": " << onSummary << "\n";
        return KeyOutcome::summary;
    }
    err << key << ": o serviço não trouxe a NF-e (procNFe) nem o seu resumo.\n";
    return KeyOutcome::failed;
}

}  // namespace

int RunKeyCommand(const DfeArguments& arguments, const DfeContext& context) {
    const KeyList list = KeysToAsk(arguments, context);
    if (list.keys.empty()) {
        return kFailed;
    }

    if (arguments.ciencia) {
        RequireSomeoneToConfirm(arguments, context);
    }
    Route route = OpenRoute(arguments, context);
    const std::size_t total = list.keys.size();
    std::size_t delivered = 0;
    bool wait = false;
    bool stopped = false;
    std::vector<std::string> summaries;
    std::size_t asked = 0;
    for (; asked < total; ++asked) {
        const std::string& key = list.keys[asked];
        if (total > 1) {
            context.err << "[" << asked + 1 << "/" << total << "] " << key << "\n" << std::flush;
        }
        const KeyOutcome outcome = AskKey(key, arguments.outputFolder, route, context,
                                          arguments.ciencia ? kSummaryBeforeCiencia : kSummaryOnly);
        if (outcome == KeyOutcome::delivered) {
            ++delivered;
        }
        if (outcome == KeyOutcome::summary) {
            summaries.push_back(key);
        }
        if (outcome == KeyOutcome::wait || outcome == KeyOutcome::stop) {
            wait = outcome == KeyOutcome::wait;
            stopped = true;
            ++asked;
            break;
        }
    }
    for (std::size_t i = asked; i < total; ++i) {
        context.err << list.keys[i] << ": não consultada.\n";
    }

    // A run that stopped or was told to wait goes no further.
    if (arguments.ciencia && !summaries.empty() && !stopped &&
        ConfirmCiencia(arguments, route, summaries.size(), context)) {
        const CienciaReport report =
            RegisterCienciaFor(summaries, arguments.outputFolder, route, context);
        wait = report.held;
        for (std::size_t i = 0; i < report.registered.size(); ++i) {
            const KeyOutcome outcome =
                AskKey(report.registered[i], arguments.outputFolder, route, context, kStillSummary);
            if (outcome == KeyOutcome::delivered) {
                ++delivered;
            }
            if (outcome == KeyOutcome::wait || outcome == KeyOutcome::stop) {
                wait = outcome == KeyOutcome::wait;
                for (std::size_t j = i + 1; j < report.registered.size(); ++j) {
                    context.err << report.registered[j] << ": não consultada de novo.\n";
                }
                break;
            }
        }
    }
    if (total > 1) {
        context.err << delivered << " de " << total << " chaves com a NF-e completa\n";
    }
    context.err << std::flush;
    if (wait) {
        return kToldToWait;
    }
    return delivered == total && list.invalid.empty() ? kDelivered : kFailed;
}

}  // namespace tools
