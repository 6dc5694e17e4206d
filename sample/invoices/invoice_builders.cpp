#include "sample/invoices/invoice_builders.h"

namespace sample {

std::span<const SampleDocument> SampleDocuments() {
    static constexpr SampleDocument kSamples[] = {
        {"regime-normal", "regime normal, one item for each ICMS situation 00 to 90",
         RegimeNormalInvoice},
        {"simples-nacional", "Simples Nacional, CSOSN 101, 102, 201, 202, 500 and 900",
         SimplesNacionalInvoice},
        {"ipi", "IPI taxed (50) and not taxed (53)", IpiInvoice},
        {"import", "import with CFOP 3102, import tax and IPI", ImportInvoice},
        {"pis-cofins", "PIS and COFINS taxed, at rate zero, exempt and other", PisCofinsInvoice},
        {"vehicle", "a new vehicle", VehicleInvoice},
        {"medicine", "a medicine in two lots", MedicineInvoice},
        {"transport", "carrier, vehicle and one volume", TransportInvoice},
        {"billing", "bill with three instalments", BillingInvoice},
        {"notes", "notes for the tax authority and the taxpayer", NotesInvoice},
        {"layout-2.00", "layout 2.00, dates without times", Layout200Invoice},
        {"layout-4.00", "layout 4.00, which the program writes in layout 3.10", Layout400Invoice},
        {"alphanumeric-cnpj", "issued and carried by companies whose CNPJ holds letters",
         AlphanumericCnpjInvoice},
        {"version-1.10", "layout 1.10, which the program refuses", Version110Invoice},
        {"cancelled", "cancelled after its authorisation", CancelledInvoice},
        {"990-items", "990 items", LargeInvoice},
    };
    return kSamples;
}

}  // namespace sample
