#include <ostream>

#include "catalog/document_facts.h"
#include "catalog/invoice_csv.h"
#include "tools/dfe/catalog_commands.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/printable.h"

namespace tools {

int RunInvoicesCommand(const CatalogArguments& arguments, const DfeContext& context) {
    const std::vector<catalog::ListedInvoice> invoices =
        OpenCatalog(arguments.catalogFile, context)->Invoices(arguments.filter);
    if (arguments.csv) {
        catalog::WriteInvoicesCsv(context.out, invoices);
        return kDelivered;
    }
    std::int64_t total = 0;
    for (const catalog::ListedInvoice& invoice : invoices) {
        total += invoice.valueCents;
        const std::string situation(catalog::SituationName(invoice.situation));
        const std::string kind = invoice.full ? "completa" : "resumo";
        context.out << catalog::DayText(invoice.issued) << "  " << Printable(invoice.issuerName)
                    << " (" << catalog::PartyText(invoice.issuer) << ")  nº "
                    << catalog::KeyNumber(invoice.key) << " série "
                    << catalog::KeySeries(invoice.key) << "  R$ "
                    << catalog::CentsText(invoice.valueCents, true) << "  " << situation
                    << (invoice.manifestation.empty() ? "" : "  " + invoice.manifestation) << "  "
                    << kind << "  " << invoice.file.string() << "\n";
    }
    context.out << "Total: " << invoices.size() << (invoices.size() == 1 ? " nota" : " notas")
                << ", R$ " << catalog::CentsText(total, true) << "\n";
    return kDelivered;
}

}  // namespace tools
