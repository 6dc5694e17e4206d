#include <filesystem>
#include <ostream>
#include <string>

#include "dfe/local_time.h"
#include "files/atomic_file.h"
#include "files/system_error_text.h"
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
    if (arguments.pendingOnly) {
        for (const std::uint64_t nsu : route.record->PendingNsus()) {
            context.out << dfe::NsuText(nsu) << "\n";
        }
        context.out << std::flush;
        return context.out ? kDelivered : kFailed;
    }
    std::size_t summaries = 0;
    const auto write = [&](const dfe::ReceivedDocument& document) {
        context.out << KeepDocument(route.keeper.get(), arguments.outputFolder, document).string()
                    << "\n"
                    << std::flush;
        summaries += document.kind == dfe::DocumentKind::invoiceSummary ? 1 : 0;
    };
    const auto failed = [&](const dfe::DocZip& zip, const std::string& reason) {
        err << Printable(reason) << "\n";
        const std::filesystem::path kept = WritePendingDocZip(arguments.outputFolder, zip);
        err << "O documento NSU " << dfe::NsuText(zip.nsu) << " ficou guardado como veio, em "
            << Printable(kept.string()) << ", e será pedido de novo na próxima execução.\n"
            << std::flush;
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
        outcome = route.session->FetchNew(arguments.fromNsu, write, failed, progress);
    } catch (const dfe::UseLimitReached& limit) {
        err << limit.what() << "\n";
        return kToldToWait;
    } catch (const std::exception& error) {
        // Transport, answer, state and file failures alike: what was written stays, and
        // what was not is pending for the next run.
        err << Printable(files::ExceptionText(error)) << "\n";
        if (const auto kept = route.record->LastNsu()) {
            err << "A próxima execução continua depois do NSU " << dfe::NsuText(*kept) << ".\n";
        }
        return kFailed;
    }
    // Another system asking for the same CNPJ moves the service's cursor under this one.
    const bool anotherSystem = outcome.afterDistNsu && (outcome.cStat == dfe::kExcessiveUse ||
                                                        (outcome.maxNsu && *outcome.maxNsu == 0));
    if (anotherSystem) {
        err << "Outro sistema (um ERP, o sistema do contador) pode estar consultando os "
               "documentos deste CNPJ; dois sistemas não devem consultar o mesmo CNPJ.\n";
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
    if (!outcome.failed.empty()) {
        err << Documents(outcome.failed.size(), " documento não pôde ser gravado",
                         " documentos não puderam ser gravados")
            << " e ficaram pendentes (vellora-dfe novos --pendentes os lista).\n";
    }
    err << Documents(outcome.delivered, " documento novo", " documentos novos") << "; último NSU "
        << dfe::NsuText(outcome.lastNsu) << ". Novas consultas a partir de "
        << dfe::LocalDateTimeText(context.clock.Now() + std::chrono::hours(1)) << ".\n";
    if (summaries > 0) {
        err << Documents(summaries, " deles é um resumo", " deles são resumos")
            << " (resNFe): a NF-e completa vem depois que o "
            << "destinatário registra a Ciência da Operação.\n";
    }
    return outcome.failed.empty() ? kDelivered : kFailed;
}

}  // namespace tools
