#include "sample/portal/sample_invoices.h"

#include <stdexcept>

#include "nfe/access_key.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/portal/invoice_content.h"

namespace sample {
namespace {

// Key fields: state code, year and month of issue, issuer's CNPJ, model, series, number,
// form of issue (layout 2.00 on) and numeric code. The document comes from the sample invoice
// builder and is given this key.
struct Entry {
    std::string_view keyFields;
    std::string_view layout;
    std::string_view description;
    nfe::TNFe (*build)();
    bool cancelled = false;
};

// clang-format off
constexpr Entry kInvoices[] = {
    {"35 1507 61024385000111 55 001 000000101 1 10203040", "3.10",
     "Regime normal: items with ICMS CST 00, 10, 20, 30, 40, 41, 50, 51, 60, 70 and 90",
     RegimeNormalInvoice},
    {"41 1508 08765432000103 55 001 000000202 1 20304050", "3.10",
     "Simples Nacional: items with CSOSN 101, 102, 201, 202, 500 and 900",
     SimplesNacionalInvoice},
    {"35 1509 61024385000111 55 001 000000103 1 30405060", "3.10",
     "IPI: one item taxed (50), one not taxed (53)",
     IpiInvoice},
    {"33 1510 45321789000110 55 002 000000304 1 40506070", "3.10",
     "Import: a CFOP 3102 item from a foreign supplier, with import tax and IPI",
     ImportInvoice},
    {"35 1511 61024385000111 55 001 000000105 1 50607080", "3.10",
     "PIS and COFINS: taxed, at rate zero, exempt and in other operations",
     PisCofinsInvoice},
    {"31 1512 21345678000186 55 001 000000406 1 60708090", "3.10",
     "A new vehicle item",
     VehicleInvoice},
    {"43 1601 78901234000105 55 001 000000507 1 70809010", "3.10",
     "A medicine item with two lots",
     MedicineInvoice},
    {"35 1602 61024385000111 55 001 000000108 1 80901020", "3.10",
     "Transport: carrier, vehicle and one volume",
     TransportInvoice},
    {"35 1603 61024385000111 55 001 000000109 1 90102030", "3.10",
     "Billing: invoice and three instalments",
     BillingInvoice},
    {"41 1604 08765432000103 55 001 000000210 1 11213141", "3.10",
     "Notes for the fisco and for the taxpayer",
     NotesInvoice},
    {"35 1310 61024385000111 55 001 000000011 1 12131415", "2.00",
     "An invoice in layout 2.00",
     Layout200Invoice},
    {"35 2403 61024385000111 55 001 000000113 1 17181920", "4.00",
     "An invoice of today's layout 4.00, which the program writes in layout 3.10",
     Layout400Invoice},
    {"35 2609 12ABC34501DE35 55 001 000001234 1 12345678", "4.00",
     "Issued and carried by companies whose CNPJ holds letters",
     AlphanumericCnpjInvoice},
    {"35 0906 61024385000111 55 001 000000001 0 13141516", "1.10",
     "A print page of version 1.10, which the program declines",
     Version110Invoice},
    {"35 1605 61024385000111 55 001 000000112 1 14151617", "3.10",
     "A cancelled invoice: its result page raises \"NF-e CANCELADA\"",
     CancelledInvoice, true},
    {"42 1606 33445566000186 55 001 000000990 1 15161718", "3.10",
     "An invoice of 990 items",
     LargeInvoice},
};
// clang-format on

}  // namespace

std::vector<SampleInvoice> BundledSampleInvoices() {
    std::vector<SampleInvoice> invoices;
    for (const Entry& entry : kInvoices) {
        SampleInvoice invoice;
        invoice.key = KeyWithCheckDigit(entry.keyFields);
        invoice.description = entry.description;
        invoice.layout = entry.layout;
        invoice.cancelled = entry.cancelled;
        SetInvoiceContent(invoice, entry.build);
        invoices.push_back(std::move(invoice));
    }

    // The fault keys differ from one another only in the number; where their pages come
    // through, they show a small regime-normal invoice.
    int number = 901;
    for (const FaultModeInfo& info : FaultModes()) {
        if (!info.chosenByKey) {
            continue;
        }
        SampleInvoice invoice;
        invoice.key = KeyWithCheckDigit("35 1607 61024385000111 55 009 000000" +
                                        std::to_string(number++) + " 1 16171819");
        invoice.description =
            "Fault " + std::string(info.name) + ": " + std::string(info.description);
        invoice.layout = "3.10";
        invoice.fault = info.mode;
        SetInvoiceContent(invoice, [] { return InvoiceWithItems(3); });
        invoices.push_back(std::move(invoice));
    }
    return invoices;
}

std::string KeyWithCheckDigit(std::string_view fields) {
    const std::string characters = nfe::KeyCharacters(fields);
    std::string key = characters + std::to_string(nfe::KeyCheckDigit(characters).digit);
    if (!nfe::IsValidAccessKey(key)) {
        throw std::invalid_argument(
            "a sample key needs the 43 characters of a valid key before "
            "its check digit: " +
            characters);
    }
    return key;
}

}  // namespace sample
