#pragma once

#include <string>
#include <string_view>

namespace convert {

// The page text cut at its section headings, from top to bottom. A heading that the page
// lacks leaves its section empty, and the next heading found then takes everything since
// the last heading found.
struct PageSections {
    std::string top;                    // in front of "Dados da NF-e"
    std::string invoiceData;            // up to "EMITENTE"
    std::string emitterSummary;         // up to the recipient's heading
    std::string recipientSummary;       // up to "Emissão"
    std::string emissionAndStatus;      // up to "Dados do Emitente"
    std::string emitterDetail;          // up to "Dados do Remetente" or "Dados do Destinatário"
    std::string recipientDetail;        // up to "Dados dos Produtos e Serviços"
    std::string products;               // up to "|&|Totais|&|"
    std::string totals;                 // up to "|&|Dados do Transporte|&|"
    std::string transportAndBilling;    // up to "Informações Adicionais"
    std::string additionalInformation;  // from "Informações Adicionais" on
};

PageSections CutPageSections(std::string_view pageText);

}  // namespace convert
