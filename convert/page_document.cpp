#include "convert/page_document.h"

#include "convert/additional_information.h"
#include "convert/header_conversion.h"
#include "convert/item_conversion.h"
#include "convert/page_sections.h"
#include "convert/page_text.h"
#include "convert/party_conversion.h"
#include "convert/protocol_conversion.h"
#include "convert/totals_conversion.h"
#include "convert/transport_and_billing.h"

namespace convert {

nfe::TNFe ReadPageDocument(std::string_view pageLines, const ConversionSettings& settings) {
    // Callers that leave a callback empty get one that does nothing.
    const std::function<void()> processPendingEvents =
        settings.processPendingEvents ? settings.processPendingEvents : [] {};
    const std::function<void(const std::string&)> showMessage =
        settings.showMessage ? settings.showMessage : [](const std::string&) {};
    const std::function<void(const std::string&)> showNotice =
        settings.showNotice ? settings.showNotice : [](const std::string&) {};

    const PageSections sections = CutPageSections(BuildPageText(pageLines));
    nfe::TNFe nfe;

    ReadPageTop(sections.top, nfe, showMessage, showNotice);
    ReadInvoiceData(sections.invoiceData, nfe);
    ReadEmitterSummary(sections.emitterSummary, nfe.Emit);
    ReadRecipientSummary(sections.recipientSummary, nfe.Dest);
    ReadEmissionAndStatus(sections.emissionAndStatus, nfe);
    ReadProtocol(sections.emissionAndStatus, nfe.procNFe);
    ReadEmitterDetail(sections.emitterDetail, nfe);
    processPendingEvents();
    ReadRecipientDetail(sections.recipientDetail, nfe.Dest);

    ConvertItems(sections.products, nfe, processPendingEvents);

    ReadTotals(sections.totals, nfe.Total.ICMSTot, processPendingEvents);
    ReadTransport(sections.transportAndBilling, nfe.Transp, processPendingEvents);
    ReadBilling(sections.transportAndBilling, nfe.Cobr);
    processPendingEvents();
    ReadAdditionalInformation(sections.additionalInformation, nfe);
    return nfe;
}

}  // namespace convert
