#pragma once

#include <span>
#include <string_view>

#include "nfe/model/nfe_document.h"

namespace sample {

// The sample invoices that the sample portal serves and the round-trip tests convert. Each has
// its own number and a valid access key.

// Regime normal, one item for each ICMS situation 00, 10, 20, 30, 40, 41, 50, 51, 60, 70, 90.
nfe::TNFe RegimeNormalInvoice();
// Simples Nacional, one item for each CSOSN 101, 102, 201, 202, 500, 900.
nfe::TNFe SimplesNacionalInvoice();
// One item with IPI taxed (situation 50) and one with IPI not taxed (53).
nfe::TNFe IpiInvoice();
// An import (CFOP 3102) from a foreign supplier, with import tax and IPI.
nfe::TNFe ImportInvoice();
// PIS and COFINS taxed, at rate zero, exempt and in other operations.
nfe::TNFe PisCofinsInvoice();
// A new vehicle.
nfe::TNFe VehicleInvoice();
// A medicine delivered in two lots.
nfe::TNFe MedicineInvoice();
// Freight paid by the recipient, with carrier, vehicle and one volume.
nfe::TNFe TransportInvoice();
// A bill paid in three instalments.
nfe::TNFe BillingInvoice();
// Notes for the tax authority and for the taxpayer.
nfe::TNFe NotesInvoice();
// An invoice in layout 2.00: dates without times.
nfe::TNFe Layout200Invoice();
// An invoice of today's layout 4.00, whose page the program writes in layout 3.10.
nfe::TNFe Layout400Invoice();
nfe::TNFe AlphanumericCnpjInvoice();
// An invoice in the old layout 1.10, whose page the program refuses to convert.
nfe::TNFe Version110Invoice();
// An invoice whose use was cancelled after its authorisation.
nfe::TNFe CancelledInvoice();
// 990 items, the most the item list of a page holds.
nfe::TNFe LargeInvoice();

// An authorised regime-normal invoice with count items that take the ICMS situations 00, 10,
// 20 and 60 in turn; number nNF.
nfe::TNFe InvoiceWithItems(int count, int nNF = 2000);

struct SampleDocument {
    std::string_view name;  // short and unique, e.g. "regime-normal"
    std::string_view description;
    nfe::TNFe (*build)();
};

// Every sample above, in the order of this header.
std::span<const SampleDocument> SampleDocuments();

}  // namespace sample
