#include <ostream>
#include <string>

#include "dfe/local_time.h"
#include "files/atomic_file.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/document_files.h"
#include "tools/dfe/printable.h"
#include "tools/dfe/route.h"

namespace tools {
namespace {

std::string Documents(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + (count == 1 ? one : many);
}

}  // namespace

int RunNewDocumentsCommand(const DfeArguments& arguments, const DfeContext& context) {
    Route route = OpenRoute(arguments, context);
    std::ostream& err = context.err;
    std::size_t summaries = 0;
    const auto write = [&](const dfe::ReceivedDocument& document) {
        context.out << WriteReceivedDocument(arguments.outputFolder, document).string() << "\n"
                    << std::flush;
        summaries += document.kind == dfe::DocumentKind::invoiceSummary ? 1 : 0;
    };
    const auto progress = [&](const dfe::DistributionAnswer& answer) {
        if (answer.cStat == dfe::kDocumentsFound && answer.lastNsu && answer.maxNsu) {
            err << Documents(answer.documents.size(), " documento", " documentos") << ", até o NSU "
                << dfe::NsuText(*answer.lastNsu) << " de " << dfe::NsuText(*answer.maxNsu) << "\n"
                << std::flush;
        }
    };

    dfe::NewDocumentsOutcome outcome;
    try {
        outcome = route.session->FetchNew(arguments.fromNsu, write, progress);
    } catch (const dfe::UseLimitReached& limit) {
        err << limit.what() << "\n";
        return kToldToWait;
    } catch (const std::exception& error) {
        // Transport, answer, state and file failures alike: what was written stays, and the
        // kept NSU is that of the last document written.
        err << Printable(error.what()) << "\n"
            << "A próxima execução recomeça depois do NSU "
            << dfe::NsuText(route.record->LastNsu().value_or(0)) << ".\n";
        return kFailed;
    }

    const std::string reason = std::to_string(outcome.cStat) + " " + Printable(outcome.xMotivo);
    if (outcome.hold) {
        err << "O serviço respondeu " << reason << ". Nenhuma consulta será enviada antes de "
            << dfe::LocalDateTimeText(outcome.hold->until) << ".\n";
        return kToldToWait;
    }
    if (outcome.cStat != dfe::kDocumentsFound && outcome.cStat != dfe::kNoDocuments) {
        err << "O serviço recusou a consulta: " << reason << "\n";
        return kFailed;
    }
    err << Documents(outcome.delivered, " documento novo", " documentos novos") << "; último NSU "
        << dfe::NsuText(outcome.lastNsu) << ". Novas consultas a partir de "
        << dfe::LocalDateTimeText(context.clock.Now() + std::chrono::hours(1)) << ".\n";
    if (summaries > 0) {
        err << Documents(summaries, " deles é um resumo", " deles são resumos")
            << " (resNFe): a NF-e completa vem depois que o "
            << "destinatário registra a Ciência da Operação.\n";
    }
    return kDelivered;
}

}  // namespace tools
