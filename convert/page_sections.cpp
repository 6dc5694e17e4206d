#include "convert/page_sections.h"

#include "convert/split_at_heading.h"
#include "convert/w1252_literal.h"
#include "text/trim.h"

namespace convert {

PageSections CutPageSections(std::string_view pageText) {
    PageSections sections;
    // Each cut moves the remainder to the heading it found; a heading that is missing
    // leaves the remainder where it was.
    std::string remainder(pageText);
    const auto cut = [&remainder](std::string_view heading, std::string& section) {
        SplitAtHeading(heading, remainder, remainder, section);
    };

    cut("Dados da NF-e", sections.top);
    cut("EMITENTE", sections.invoiceData);
    cut("|&|Destinatário"_w1252, sections.emitterSummary);
    if (text::Trim(sections.emitterSummary).empty()) {
        cut("|&|DESTINATÁRIO "_w1252, sections.emitterSummary);
    }
    cut("|&|Emissão"_w1252, sections.recipientSummary);
    if (sections.recipientSummary.empty()) {
        cut("EMISSÃO"_w1252, sections.recipientSummary);
    }
    cut("Dados do Emitente", sections.emissionAndStatus);
    cut("Dados do Remetente", sections.emitterDetail);
    if (sections.emitterDetail.empty()) {
        cut("Dados do Destinatário"_w1252, sections.emitterDetail);
    }
    cut("Dados dos Produtos e Serviços"_w1252, sections.recipientDetail);
    cut("|&|Totais|&|", sections.products);
    cut("|&|Dados do Transporte|&|", sections.totals);
    // The last cut keeps the remainder: the notes go to a block of their own.
    SplitAtHeading("Informações Adicionais"_w1252, remainder, sections.additionalInformation,
                   sections.transportAndBilling);
    return sections;
}

}  // namespace convert
