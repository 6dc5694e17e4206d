#include "inbox/invoice_detail.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "catalog/document_facts.h"
#include "catalog/invoice_csv.h"
#include "danfe/invoice_reader.h"
#include "inbox/status_line.h"
#include "text/printable.h"

namespace inbox {
namespace {

constexpr std::size_t kItemLines = 5;

// "1234.5" as "R$ 1.234,50"; text that is not a decimal number is shown as it is.
std::string Money(const std::string& decimal) {
    const std::size_t dot = decimal.find('.');
    const std::string units = decimal.substr(0, dot);
    const std::string fraction =
        (dot == std::string::npos ? std::string() : decimal.substr(dot + 1)) + "00";
    const std::string digits = units + fraction.substr(0, 2);
    std::int64_t cents = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), cents);
    if (decimal.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return decimal;
    }
    return Reais(cents);
}

std::string PartyLine(const danfe::Party& party) {
    const std::string number = party.cnpj.empty() ? party.cpf : party.cnpj;
    return text::Printable(party.name) + " (" + catalog::PartyText(number) + ")" +
           (party.address.city.empty()
                ? std::string()
                : ", " + text::Printable(party.address.city) + "/" + party.address.state);
}

std::string EventName(const std::string& type) {
    if (type == catalog::kCancellationEvent) {
        return "Cancelamento";
    }
    if (type == "110110") {
        return "Carta de Correção";
    }
    const std::string_view manifestation = catalog::ManifestationOf(type);
    return manifestation.empty() ? "Evento " + type : "Manifestação: " + std::string(manifestation);
}

}  // namespace

std::string DetailText(const catalog::ListedInvoice& listed,
                       const std::optional<danfe::Invoice>& invoice,
                       const std::vector<catalog::ListedEvent>& events) {
    std::ostringstream out;
    out << "NF-e nº " << catalog::KeyNumber(listed.key) << " série "
        << catalog::KeySeries(listed.key) << " de " << catalog::DayText(listed.issued) << "\n"
        << "Chave: " << listed.key << "\n"
        << "Situação: " << catalog::SituationName(listed.situation)
        << (listed.manifestation.empty() ? "" : " · manifestação: " + listed.manifestation)
        << "\n\n";
    if (invoice) {
        out << "Emitente: " << PartyLine(invoice->issuer) << "\n"
            << "Destinatário: " << PartyLine(invoice->recipient) << "\n"
            << "Natureza da operação: " << text::Printable(invoice->nature) << "\n\n"
            << "Produtos: " << Money(invoice->totals.products)
            << " · frete: " << Money(invoice->totals.freight)
            << " · ICMS: " << Money(invoice->totals.icms)
            << " · IPI: " << Money(invoice->totals.ipi)
            << "\nTotal da nota: " << Money(invoice->totals.invoice) << "\n\n"
            << invoice->items.size() << (invoice->items.size() == 1 ? " item" : " itens") << ":\n";
        for (std::size_t i = 0; i < invoice->items.size() && i < kItemLines; ++i) {
            const danfe::Item& item = invoice->items[i];
            out << "  " << text::Printable(item.description) << " · " << item.quantity << " "
                << text::Printable(item.unit) << " · " << Money(item.total) << "\n";
        }
        if (invoice->items.size() > kItemLines) {
            out << "  … e mais " << invoice->items.size() - kItemLines << "\n";
        }
    } else {
        out << "Emitente: " << text::Printable(listed.issuerName) << " ("
            << catalog::PartyText(listed.issuer) << ")\n"
            << "Total da nota: " << Reais(listed.valueCents) << "\n\n"
            << "Só o resumo está aqui: registre a Ciência da Operação para receber a NF-e "
               "completa.\n";
    }
    out << "\nEventos:";
    if (events.empty()) {
        out << " nenhum";
    }
    out << "\n";
    for (const catalog::ListedEvent& event : events) {
        out << "  " << EventName(event.type) << " (" << event.type << ", sequência "
            << event.sequence << ")" << (event.moment.empty() ? "" : " em " + event.moment)
            << (event.protocol.empty() ? "" : ", protocolo " + event.protocol) << "\n";
    }
    out << "\nArquivo: " << listed.file.string() << "\n";
    return out.str();
}

std::optional<danfe::Invoice> ReadInvoiceFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream xml;
    xml << in.rdbuf();
    try {
        return danfe::ReadInvoice(xml.str());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace inbox
