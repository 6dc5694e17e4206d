#include "tools/dfe/ciencia.h"
#include "files/system_error_text.h"

#include <algorithm>
#include <ostream>
#include <set>

#include "dfe/ciencia_event.h"
#include "dfe/ciencia_meaning.h"
#include "dfe/ciencia_registration.h"
#include "dfe/distribution_answer.h"
#include "files/atomic_file.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/key_list.h"
#include "tools/dfe/printable.h"

namespace tools {

void RequireSomeoneToConfirm(const DfeArguments& arguments, const DfeContext& context) {
    if (arguments.confirmed) {
        return;
    }
    if (!context.confirmation.available || !context.confirmation.available()) {
        throw CommandFailure(
            kUsage,
            "Registrar a Ciência da Operação é um ato da empresa e pede a confirmação de uma "
            "pessoa no terminal, mas não há terminal. Nada foi enviado. Para confirmar na linha "
            "de comando, use --sim.");
    }
}

bool ConfirmCiencia(const DfeArguments& arguments, const Route& route, std::size_t count,
                    const DfeContext& context) {
    const std::string holder = Printable(route.certificate.info().holder);
    context.err << dfe::CienciaMeaning(holder, route.party) << "\n" << std::flush;
    if (arguments.confirmed) {
        return true;
    }
    const std::string question = "Registrar a Ciência da Operação de " + std::to_string(count) +
                                 " NF-e" + " em nome de " + holder + "? [s/N] ";
    if (context.confirmation.ask && context.confirmation.ask(question)) {
        return true;
    }
    context.err << "A Ciência da Operação não foi registrada.\n";
    return false;
}

CienciaReport RegisterCienciaFor(const std::vector<std::string>& keys,
                                 const std::filesystem::path& folder, Route& route,
                                 const DfeContext& context) {
    std::ostream& err = context.err;
    CienciaReport report;
    std::set<std::string> answered;
    const auto take = [&](const dfe::CienciaOutcome& outcome) {
        answered.insert(outcome.key);
        report.held = report.held || outcome.cStat == dfe::kExcessiveUse;
        const std::string reason = std::to_string(outcome.cStat) + " " + Printable(outcome.xMotivo);
        switch (outcome.kind) {
            case dfe::CienciaOutcome::Kind::registered: {
                err << outcome.key << ": Ciência da Operação registrada (" << reason << ").\n";
                report.registered.push_back(outcome.key);
                try {
                    std::filesystem::path path = folder / dfe::CienciaFileName(outcome.key);
                    if (route.keeper) {
                        path = route.keeper->KeepMade(
                            outcome.key, dfe::CienciaFileName(outcome.key), outcome.processedEvent);
                    } else {
                        files::WriteFileAtomically(path, outcome.processedEvent);
                    }
                    context.out << path.string() << "\n" << std::flush;
                } catch (const std::runtime_error& error) {
                    err << outcome.key << ": " << Printable(error.what()) << "\n";
                    ++report.failed;
                }
                break;
            }
            case dfe::CienciaOutcome::Kind::alreadyRegistered:
                err << outcome.key << ": a Ciência da Operação já estava registrada (" << reason
                    << ").\n";
                report.registered.push_back(outcome.key);
                break;
            case dfe::CienciaOutcome::Kind::unconfirmed: {
                err << outcome.key
                    << ": Ciência da Operação não confirmada: o evento foi enviado, mas o serviço "
                       "não respondeu; ela pode ter sido registrada.\n";
                ++report.failed;
                const std::filesystem::path path = folder / (outcome.key + "-210210-01-evento.xml");
                try {
                    files::WriteFileAtomically(path, outcome.signedEvent);
                    context.out << path.string() << "\n" << std::flush;
                } catch (const files::FileError& error) {
                    err << outcome.key << ": " << Printable(error.what()) << "\n";
                }
                break;
            }
            case dfe::CienciaOutcome::Kind::refusedBefore:
                err << outcome.key
                    << ": a Ciência da Operação não foi enviada: o serviço já a recusou numa "
                       "execução anterior ("
                    << outcome.cStat << "), e enviá-la de novo não muda a recusa.\n";
                ++report.failed;
                break;
            case dfe::CienciaOutcome::Kind::refused:
                if (outcome.cStat == 0) {
                    err << outcome.key << ": " << Printable(outcome.xMotivo) << ".\n";
                } else {
                    err << outcome.key << ": o serviço recusou a Ciência da Operação: " << reason
                        << "\n";
                }
                ++report.failed;
                break;
        }
        err << std::flush;
    };
    try {
        dfe::RegisterCiencia(*route.events, route.certificate, route.environment, context.clock,
                             *route.record, keys, take);
    } catch (const std::exception& error) {
        report.held = dynamic_cast<const dfe::UseLimitReached*>(&error) != nullptr;
        // The connection, the answer, the signature or a file: the keys after it are not sent.
        err << Printable(files::ExceptionText(error)) << "\n";
        for (const std::string& key : keys) {
            if (!answered.contains(key)) {
                err << key << ": Ciência da Operação não registrada.\n";
                ++report.failed;
            }
        }
    }
    return report;
}

int RunCienciaCommand(const DfeArguments& arguments, const DfeContext& context) {
    const KeyList list = KeysToAsk(arguments, context);
    if (list.keys.empty()) {
        return kFailed;
    }
    RequireSomeoneToConfirm(arguments, context);
    Route route = OpenRoute(arguments, context);
    if (!ConfirmCiencia(arguments, route, list.keys.size(), context)) {
        return kFailed;
    }
    const CienciaReport report =
        RegisterCienciaFor(list.keys, arguments.outputFolder, route, context);
    if (list.keys.size() > 1) {
        context.err << report.registered.size() << " de " << list.keys.size()
                    << " chaves com a Ciência da Operação registrada\n";
    }
    if (report.held) {
        return kToldToWait;
    }
    return report.failed == 0 && list.invalid.empty() ? kDelivered : kFailed;
}

}  // namespace tools
