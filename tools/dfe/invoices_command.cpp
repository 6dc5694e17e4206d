#include <ostream>

#include "catalog/document_facts.h"
#include "dfe/party.h"
#include "tools/dfe/catalog_commands.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/printable.h"

namespace tools {
namespace {

// 123456 as "1.234,56" (grouped) or "1234,56" (for spreadsheets).
std::string Money(std::int64_t cents, bool grouped) {
    std::string units = std::to_string(cents / 100);
    if (grouped) {
        for (int at = static_cast<int>(units.size()) - 3; at > 0; at -= 3) {
            units.insert(static_cast<std::size_t>(at), ".");
        }
    }
    const std::int64_t rest = cents % 100;
    return units + "," + (rest < 10 ? "0" : "") + std::to_string(rest);
}

// "2026-03-15" as "15/03/2026".
std::string Date(const std::string& day) {
    return day.size() == 10 ? day.substr(8, 2) + "/" + day.substr(5, 2) + "/" + day.substr(0, 4)
                            : day;
}

std::string Issuer(const std::string& number) {
    const auto party = dfe::PartyFromNumber(number);
    return party ? party->Formatted() : number;
}

// A field as a spreadsheet reads it: quoted, with its quotes doubled.
std::string Field(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

}  // namespace

int RunInvoicesCommand(const CatalogArguments& arguments, const DfeContext& context) {
    const std::vector<catalog::ListedInvoice> invoices =
        OpenCatalog(arguments.catalogFile, context)->Invoices(arguments.filter);
    std::int64_t total = 0;
    if (arguments.csv) {
        context.out << "\xEF\xBB\xBF"
                    << "Emissão;Emitente;CNPJ/CPF do emitente;Número;Série;Valor;Situação;"
                       "Manifestação;Tipo;Chave;Arquivo\r\n";
    }
    for (const catalog::ListedInvoice& invoice : invoices) {
        total += invoice.valueCents;
        const std::string situation(catalog::SituationName(invoice.situation));
        const std::string kind = invoice.full ? "completa" : "resumo";
        if (arguments.csv) {
            context.out << Date(invoice.issued) << ";" << Field(Printable(invoice.issuerName))
                        << ";" << Field(Issuer(invoice.issuer)) << ";"
                        << catalog::KeyNumber(invoice.key) << ";" << catalog::KeySeries(invoice.key)
                        << ";" << Money(invoice.valueCents, false) << ";" << situation << ";"
                        << Field(invoice.manifestation) << ";" << kind << ";" << invoice.key << ";"
                        << Field(invoice.file.string()) << "\r\n";
        } else {
            context.out << Date(invoice.issued) << "  " << Printable(invoice.issuerName) << " ("
                        << Issuer(invoice.issuer) << ")  nº " << catalog::KeyNumber(invoice.key)
                        << " série " << catalog::KeySeries(invoice.key) << "  R$ "
                        << Money(invoice.valueCents, true) << "  " << situation
                        << (invoice.manifestation.empty() ? "" : "  " + invoice.manifestation)
                        << "  " << kind << "  " << invoice.file.string() << "\n";
        }
    }
    if (!arguments.csv) {
        context.out << "Total: " << invoices.size() << (invoices.size() == 1 ? " nota" : " notas")
                    << ", R$ " << Money(total, true) << "\n";
    }
    return kDelivered;
}

}  // namespace tools
