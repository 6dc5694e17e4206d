#include <chrono>
#include <ostream>

#include "catalog/document_facts.h"
#include "dfe/local_time.h"
#include "files/system_error_text.h"
#include "tools/dfe/catalog_commands.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/document_files.h"
#include "tools/dfe/printable.h"
#include "tools/dfe/route.h"

namespace tools {
namespace {

struct Tally {
    std::size_t documents = 0;
    std::size_t summaries = 0;
    std::size_t cancellations = 0;
    std::size_t pending = 0;
};

std::string Count(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + (count == 1 ? one : many);
}

std::string Counts(const Tally& tally) {
    return Count(tally.documents, " documento", " documentos") + ", " +
           Count(tally.summaries, " resumo", " resumos") + ", " +
           Count(tally.cancellations, " cancelamento", " cancelamentos") +
           (tally.pending > 0 ? ", " + Count(tally.pending, " pendente", " pendentes") : "");
}

// Asks the service for the company's new documents; says on one line what came and when it
// may be asked again, and returns the exit status of the company.
int SynchroniseCompany(const catalog::Company& company, const CatalogArguments& arguments,
                       Tally& total, const DfeContext& context) {
    const std::string name = dfe::PartyFromNumber(company.cnpj)->Formatted();
    context.out << name << ": " << std::flush;
    Tally tally;
    try {
        DfeArguments run;
        run.command = DfeArguments::Command::newDocuments;
        run.company = company.cnpj;
        run.catalogFile = arguments.catalogFile;
        run.authorities = arguments.authorities;
        UseCompany(run, context);
        Route route = OpenRoute(run, context);
        const auto keep = [&](const dfe::ReceivedDocument& document) {
            route.keeper->Keep(document);
            ++tally.documents;
            tally.summaries += document.kind == dfe::DocumentKind::invoiceSummary ? 1 : 0;
            tally.cancellations += document.eventType == catalog::kCancellationEvent ? 1 : 0;
        };
        const auto count = [&] {
            total.documents += tally.documents;
            total.summaries += tally.summaries;
            total.cancellations += tally.cancellations;
        };
        // A document that cannot be kept does not hold the others back: it is kept as it came
        // and stays pending, asked again at the next synchronisation.
        const auto failed = [&](const dfe::DocZip& zip, const std::string& reason) {
            WritePendingDocZip(run.outputFolder, zip);
            ++tally.pending;
            context.err << company.cnpj << ": NSU " << dfe::NsuText(zip.nsu) << ": "
                        << Printable(reason) << "\n";
        };
        dfe::NewDocumentsOutcome outcome;
        try {
            outcome = route.session->FetchNew(std::nullopt, keep, failed);
        } catch (const dfe::UseLimitReached& limit) {
            count();
            context.out << Counts(tally) << "; aguardando: nova consulta a partir de "
                        << dfe::LocalDateTimeText(limit.hold().until) << "\n";
            return kToldToWait;
        }
        count();
        if (outcome.hold) {
            context.out << Counts(tally) << "; o serviço respondeu " << outcome.cStat << " "
                        << Printable(outcome.xMotivo) << "; nova consulta a partir de "
                        << dfe::LocalDateTimeText(outcome.hold->until) << "\n";
            return kToldToWait;
        }
        if (outcome.cStat != dfe::kDocumentsFound && outcome.cStat != dfe::kNoDocuments) {
            context.out << Counts(tally) << "; o serviço recusou a consulta: " << outcome.cStat
                        << " " << Printable(outcome.xMotivo) << "\n";
            return kFailed;
        }
        OpenCatalog(arguments.catalogFile, context)
            ->MarkSynchronised(company.cnpj, std::chrono::duration_cast<std::chrono::seconds>(
                                                 context.clock.Now().time_since_epoch())
                                                 .count());
        context.out << Counts(tally) << "; próxima consulta a partir de "
                    << dfe::LocalDateTimeText(context.clock.Now() + std::chrono::hours(1)) << "\n";
        return tally.pending == 0 ? kDelivered : kFailed;
    } catch (const CommandFailure& failure) {
        context.out << Counts(tally) << "; falhou: " << Printable(failure.what()) << "\n";
    } catch (const std::exception& error) {
        // What was written stays recorded; the next run goes on after it.
        context.out << Counts(tally) << "; falhou: " << Printable(files::ExceptionText(error))
                    << "\n";
    }
    return kFailed;
}

}  // namespace

int RunSynchroniseCommand(const CatalogArguments& arguments, const DfeContext& context) {
    const std::unique_ptr<catalog::Catalog> catalogue = OpenCatalog(arguments.catalogFile, context);
    std::vector<catalog::Company> companies;
    if (arguments.operands.empty()) {
        companies = catalogue->Companies();
    }
    for (const std::string& cnpj : arguments.operands) {
        const auto party = TypedParty(cnpj);
        const auto company = party ? catalogue->FindCompany(party->number) : std::nullopt;
        if (!company) {
            throw CommandFailure(kUsage, "A empresa \"" + Printable(cnpj) +
                                             "\" não está cadastrada. Nada foi consultado.");
        }
        companies.push_back(*company);
    }
    if (companies.empty()) {
        throw CommandFailure(kFailed,
                             "Nenhuma empresa cadastrada: vellora-dfe empresas "
                             "adicionar --certificado A1.pfx");
    }
    Tally total;
    bool waited = false;
    bool failed = false;
    for (const catalog::Company& company : companies) {
        const int status = SynchroniseCompany(company, arguments, total, context);
        waited = waited || status == kToldToWait;
        failed = failed || status == kFailed;
    }
    context.out << "Total: " << Counts(total) << " em "
                << Count(companies.size(), " empresa", " empresas") << "\n";
    return failed ? kFailed : waited ? kToldToWait : kDelivered;
}

}  // namespace tools
