#pragma once

#include <functional>
#include <string_view>

#include "nfe/model/nfe_document.h"
#include "sample/portal/sample_invoice.h"

namespace sample {

// The document given the access key and the header fields that the print page's reader takes
// from the key (model, series, number, numeric code, check digit), so that its page and its
// file carry the key under which the portal holds it and read back as they were written.
nfe::TNFe DocumentWithKey(nfe::TNFe document, std::string_view key);

// Gives the invoice its print page, the renderer's page of the document that build makes, and
// its XML file, the writer's XML of the same document, both under the invoice's key. They are
// made together the first time either is asked for and kept from then on, so that a large
// invoice is built once and costs nothing until someone consults it. Safe from any thread.
void SetInvoiceContent(SampleInvoice& invoice, std::function<nfe::TNFe()> build);

}  // namespace sample
