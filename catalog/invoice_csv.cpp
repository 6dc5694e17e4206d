#include "catalog/invoice_csv.h"

#include <ostream>

#include "dfe/party.h"
#include "text/printable.h"
#include "text/thousands.h"

namespace catalog {
namespace {

// A field as a spreadsheet reads it: quoted, with its quotes doubled.
std::string Field(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

}  // namespace

std::string DayText(const std::string& day) {
    return day.size() == 10 ? day.substr(8, 2) + "/" + day.substr(5, 2) + "/" + day.substr(0, 4)
                            : day;
}

std::string PartyText(const std::string& number) {
    const auto party = dfe::PartyFromNumber(number);
    return party ? party->Formatted() : number;
}

std::string CentsText(std::int64_t cents, bool grouped) {
    const std::string sign = cents < 0 ? "-" : "";
    const std::int64_t magnitude = cents < 0 ? -cents : cents;
    const std::string units = std::to_string(magnitude / 100);
    const std::int64_t rest = magnitude % 100;
    return sign + (grouped ? text::GroupThousands(units) : units) + "," + (rest < 10 ? "0" : "") +
           std::to_string(rest);
}

void WriteInvoicesCsv(std::ostream& out, const std::vector<ListedInvoice>& invoices) {
    out << "\xEF\xBB\xBF"
        << "Emissão;Emitente;CNPJ/CPF do emitente;Número;Série;Valor;Situação;"
           "Manifestação;Tipo;Chave;Arquivo\r\n";
    for (const ListedInvoice& invoice : invoices) {
        out << DayText(invoice.issued) << ";" << Field(text::Printable(invoice.issuerName)) << ";"
            << Field(PartyText(invoice.issuer)) << ";" << KeyNumber(invoice.key) << ";"
            << KeySeries(invoice.key) << ";" << CentsText(invoice.valueCents, false) << ";"
            << SituationName(invoice.situation) << ";" << Field(invoice.manifestation) << ";"
            << (invoice.full ? "completa" : "resumo") << ";" << invoice.key << ";"
            << Field(invoice.file.string()) << "\r\n";
    }
}

}  // namespace catalog
