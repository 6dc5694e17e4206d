#include "sample/print_page/products_section.h"

#include <vector>

#include "sample/print_page/code_descriptions.h"
#include "sample/print_page/icms_cells.h"
#include "sample/print_page/page_format.h"
#include "sample/print_page/page_markup.h"

namespace sample::page {
namespace {

using nfe::Currency;
using Cells = std::vector<std::string>;

std::string Money(Currency value) {
    return PageNumber(value, 2);
}
std::string Quantity(Currency value) {
    return PageNumber(value, 4);
}

// The header row takes exactly the first 92 characters of the section's page text, the
// heading included; "(R$)" follows on a line of its own, just before the first item number.
std::string ListHeader() {
    return "<tr><td>Num.</td><td>Descrição</td><td>Qtd.</td><td>Unidade Comercial</td>"
           "<td>Valor Total<br>(R$)</td></tr>\n";
}

std::string SummaryRow(const nfe::TProd& prod) {
    return "<tr class=\"item\">" + TextCell(std::to_string(prod.nItem)) + TextCell(prod.xProd) +
           TextCell(Quantity(prod.qCom)) + TextCell(prod.uCom) + TextCell(Money(prod.vProd)) +
           "</tr>\n";
}

// The product code comes first: the value of the summary is the line right in front of it.
Cells ProductCells(const nfe::TDetCollectionItem& item) {
    const nfe::TProd& prod = item.Prod;
    return {
        LabelledCell("Código do Produto", prod.cProd),
        LabelledCell("Código NCM", prod.NCM),
        LabelledCell("Código EX da TIPI", prod.EXTIPI),
        LabelledCell("CFOP", prod.CFOP),
        LabelledCell("Outras despesas acessórias", Money(prod.vOutro)),
        LabelledCell("Valor do Desconto", Money(prod.vDesc)),
        LabelledCell("Valor Total do Frete", Money(prod.vFrete)),
        LabelledCell("Valor do Seguro", Money(prod.vSeg)),
        LabelledCell("Indicador de Composição do Valor Total da NF-e", CodedText(prod.IndTot)),
        LabelledCell("Código EAN Comercial", prod.cEAN),
        LabelledCell("Unidade Comercial", prod.uCom),
        LabelledCell("Quantidade Comercial", Quantity(prod.qCom)),
        LabelledCell("Código EAN Tributável", prod.cEANTrib),
        LabelledCell("Unidade Tributável", prod.uTrib),
        LabelledCell("Quantidade Tributável", Quantity(prod.qTrib)),
        LabelledCell("Valor unitário de comercialização", PageDecimal(prod.vUnCom, 4, 10)),
        LabelledCell("Valor unitário de tributação", PageDecimal(prod.vUnTrib, 4, 10)),
        LabelledCell("Número do Pedido de Compra", prod.xPed),
        LabelledCell("Item do pedido de compra",
                     prod.nItemPed > 0 ? std::to_string(prod.nItemPed) : ""),
        // Written with a decimal point, as the portal shows this total.
        LabelledCell("Valor Aproximado dos Tributos", PointNumber(item.Imposto.vTotTrib)),
    };
}

// "Cor" stands before "Descrição da cor", which ends with the same word.
std::string VehicleBlock(const nfe::TveicProd& veic) {
    return Title("Veículo novo") +
           CellTable({
               LabelledCell("Chassi do veículo", veic.chassi),
               LabelledCell("Cor", veic.cCor),
               LabelledCell("Descrição da cor", veic.xCor),
               LabelledCell("Serial (Série)", veic.nSerie),
               LabelledCell("Tipo de Combustível", veic.tpComb),
               LabelledCell("Número de Motor", veic.nMotor),
               LabelledCell("Ano Modelo de Fabricação", std::to_string(veic.anoMod)),
               LabelledCell("Ano de Fabricação", std::to_string(veic.anoFab)),
           });
}

bool HasIpi(const nfe::TIPI& ipi) {
    return !ipi.cEnq.empty() || ipi.CST != nfe::TkroCstIpi::ipi00 || !ipi.vBC.IsZero() ||
           !ipi.qUnid.IsZero() || !ipi.vUnid.IsZero() || !ipi.pIPI.IsZero() || !ipi.vIPI.IsZero();
}

// The situation comes last: its descriptions may hold the word "alíquota".
std::string IpiBlock(const nfe::TIPI& ipi) {
    return Title("Imposto Sobre Produtos Industrializados") +
           CellTable({
               LabelledCell("Código de Enquadramento", ipi.cEnq),
               LabelledCell("Base de Cálculo", Money(ipi.vBC)),
               LabelledCell("Alíquota", Money(ipi.pIPI)),
               LabelledCell("Qtd Total Unidade Padrão", Quantity(ipi.qUnid)),
               LabelledCell("Valor por Unidade", Quantity(ipi.vUnid)),
               LabelledCell("Valor IPI", Money(ipi.vIPI)),
               LabelledCell("CST", CodedText(ipi.CST)),
           });
}

bool HasImportTax(const nfe::TII& ii) {
    return !ii.vBc.IsZero() || !ii.vDespAdu.IsZero() || !ii.vII.IsZero() || !ii.vIOF.IsZero();
}

std::string ImportTaxBlock(const nfe::TII& ii) {
    return Title("IMPOSTO DE IMPORTAÇÃO") +
           CellTable({
               LabelledCell("Base de Cálculo", Money(ii.vBc)),
               LabelledCell("Despesas Aduaneiras", Money(ii.vDespAdu)),
               LabelledCell("Imposto de Importação", Money(ii.vII)),
               LabelledCell("IOF", Money(ii.vIOF)),
           });
}

std::string PisBlock(const nfe::TPIS& pis) {
    return Title("PIS") + CellTable({
                              LabelledCell("CST", CodedText(pis.CST)),
                              LabelledCell("Base de Cálculo", Money(pis.vBC)),
                              LabelledCell("Alíquota (%)", Money(pis.pPIS)),
                              LabelledCell("Valor do PIS", Money(pis.vPIS)),
                          });
}

std::string CofinsBlock(const nfe::TCOFINS& cofins) {
    return Title("COFINS") + CellTable({
                                 LabelledCell("CST", CodedText(cofins.CST)),
                                 LabelledCell("Base de Cálculo", Money(cofins.vBC)),
                                 LabelledCell("Alíquota (%)", Money(cofins.pCOFINS)),
                                 LabelledCell("Valor", Money(cofins.vCOFINS)),
                             });
}

std::string MedicinesBlock(const nfe::TmedCollection& lots) {
    std::string out = Title("Detalhamento específico dos medicamentos");
    int number = 0;
    for (const nfe::TmedCollectionItem& lot : lots) {
        out += Title("Medicamento " + std::to_string(++number));
        out += CellTable({
            LabelledCell("Nro. do Lote", lot.nLote),
            LabelledCell("Quantidade de produtos no lote", PageNumber(lot.qLote, 3)),
            LabelledCell("Data de fabricação", lot.dFab > 0 ? PageDate(lot.dFab) : ""),
            LabelledCell("Data de validade", lot.dVal > 0 ? PageDate(lot.dVal) : ""),
            LabelledCell("Preço Máximo Consumidor", Money(lot.vPMC)),
        });
    }
    return out;
}

std::string AdditionalInformationBlock(const std::string& infAdProd) {
    return Title("Informações adicionais do produto") +
           CellTable({LabelledCell("Descrição", infAdProd)});
}

std::string ItemDetail(const nfe::TDetCollectionItem& item, bool simplesNacional) {
    const nfe::TImposto& imposto = item.Imposto;
    std::string out = CellTable(ProductCells(item));
    if (!item.Prod.veicProd.chassi.empty()) {
        out += VehicleBlock(item.Prod.veicProd);
    }
    out += Title("ICMS") + CellTable(IcmsCells(imposto.ICMS, simplesNacional));
    if (HasIpi(imposto.IPI)) {
        out += IpiBlock(imposto.IPI);
    }
    if (HasImportTax(imposto.II)) {
        out += ImportTaxBlock(imposto.II);
    }
    out += PisBlock(imposto.PIS);
    out += CofinsBlock(imposto.COFINS);
    // The medicines and the additional information are read from what follows the taxes.
    if (item.Prod.med.Count() > 0) {
        out += MedicinesBlock(item.Prod.med);
    }
    if (!item.infAdProd.empty()) {
        out += AdditionalInformationBlock(item.infAdProd);
    }
    return out;
}

}  // namespace

std::string ProductsSection(const nfe::TNFe& nfe) {
    const bool simplesNacional = nfe.Emit.CRT == nfe::TkroCRT::crtSimplesNacional;
    std::string list = "<table class=\"itens\">\n" + ListHeader();
    for (const nfe::TDetCollectionItem& item : nfe.Det) {
        list += SummaryRow(item.Prod);
        list += "<tr class=\"detalhe\"><td colspan=\"5\">\n" + ItemDetail(item, simplesNacional) +
                "</td></tr>\n";
    }
    list += "</table>\n";
    return Fieldset("Dados dos Produtos e Serviços", list);
}

}  // namespace sample::page
