#include "sample/print_page/print_page.h"

#include <cstdio>
#include <vector>

#include "nfe/access_key.h"
#include "nfe/utc_offset.h"
#include "sample/print_page/code_descriptions.h"
#include "sample/print_page/page_format.h"
#include "sample/print_page/page_markup.h"
#include "sample/print_page/products_section.h"

namespace sample {
namespace {

using namespace page;

using nfe::Currency;
using nfe::TNFe;
using Cells = std::vector<std::string>;

std::string Money(Currency value) {
    return PageNumber(value, 2);
}

std::string VersionText(const TNFe& nfe) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", nfe.infNFe.Versao());
    return text;
}

// Times and UTC offsets appear on the page from layout 3.00 on.
bool ShowsTimes(const TNFe& nfe) {
    return nfe.infNFe.Versao() >= 3.0;
}

std::string Offset(const TNFe& nfe, nfe::TDateTime moment) {
    return ShowsTimes(nfe) ? nfe::UtcOffset(moment, nfe.Emit.EnderEmit.UF) : "";
}

std::string EmissionDate(const TNFe& nfe) {
    const nfe::TDateTime value = nfe.Ide.dEmi;
    if (value <= 0) {
        return "";
    }
    return ShowsTimes(nfe) ? PageDateTime(value, Offset(nfe, value)) : PageDate(value);
}

std::string ExitDate(const TNFe& nfe) {
    const nfe::TDateTime value = nfe.Ide.dSaiEnt;
    return value > 0 ? PageDateTime(value, Offset(nfe, value)) : "";
}

std::string Municipality(int code, const std::string& name) {
    char text[16];
    std::snprintf(text, sizeof text, "%07d", code);
    return std::string(text) + " - " + name;
}

std::string Country(int code, const std::string& name) {
    return std::to_string(code) + " - " + name;
}

std::string Address(const std::string& street, const std::string& number) {
    return street + ", " + number;
}

// Everything a script leaves on the page after the tags are gone holds "function", "document"
// or a brace, so that no line of it survives the capture.
std::string ScriptBlock() {
    return "<script type=\"text/javascript\">\n"
           "    function imprimir() {\n"
           "        document.getElementById(\"botoes\").style.display = \"none\";\n"
           "        window.print(); document.getElementById(\"botoes\").style.display = \"\";\n"
           "    }\n"
           "    function voltar() { history.back(); }\n"
           "</script>\n"
           "<div id=\"botoes\"><input type=\"button\" value=\"Imprimir\" "
           "onclick=\"imprimir()\"> <input type=\"button\" value=\"Voltar\" "
           "onclick=\"voltar()\"></div>\n";
}

std::string KeyHeader(const TNFe& nfe) {
    return Title("NF-e - Consulta Completa") +
           CellTable({
               LabelledCell("Chave de Acesso", nfe::GroupedKey(nfe::KeyCharacters(nfe.infNFe.ID))),
               LabelledCell("Número", std::to_string(nfe.Ide.nNF)),
               LabelledCell("Versão", VersionText(nfe)),
           });
}

std::string InvoiceData(const TNFe& nfe) {
    return Fieldset("Dados da NF-e",
                    CellTable({
                        LabelledCell("Modelo", std::to_string(nfe.Ide.modelo)),
                        LabelledCell("Série", std::to_string(nfe.Ide.serie)),
                        LabelledCell("Número", std::to_string(nfe.Ide.nNF)),
                        LabelledCell("Data de Emissão", EmissionDate(nfe)),
                        LabelledCell("Data/Hora de Saída ou da Entrada", ExitDate(nfe)),
                        LabelledCell("Valor Total da Nota Fiscal", Money(nfe.Total.ICMSTot.vNF)),
                    }));
}

std::string PartyDocument(const std::string& cnpjCpf) {
    return LabelledCell(cnpjCpf.size() == 11 ? "CPF" : "CNPJ", nfe::FormattedCnpjCpf(cnpjCpf));
}

// The summaries of the parties; the recipient's heading begins its own line.
std::string PartySummaries(const TNFe& nfe) {
    return Fieldset("Emitente", CellTable({
                                    PartyDocument(nfe.Emit.CNPJCPF),
                                    LabelledCell("Nome/Razão Social", nfe.Emit.xNome),
                                    LabelledCell("Inscrição Estadual", nfe.Emit.IE),
                                    LabelledCell("UF", nfe.Emit.EnderEmit.UF),
                                })) +
           Fieldset("Destinatário", CellTable({
                                        PartyDocument(nfe.Dest.CNPJCPF),
                                        LabelledCell("Nome/Razão Social", nfe.Dest.xNome),
                                        LabelledCell("Inscrição Estadual", nfe.Dest.IE),
                                        LabelledCell("UF", nfe.Dest.EnderDest.UF),
                                    }));
}

std::string SituationText(const nfe::TProcNFe& proc) {
    if (proc.cStat == 100) {
        return "AUTORIZADA";
    }
    if (proc.cStat == 101) {
        return "CANCELADA";
    }
    return proc.xMotivo;
}

// The events table: its last header cell, then the event, the protocol number and the moment
// of receipt, each on a line of its own.
std::string EventsTable(const TNFe& nfe) {
    const nfe::TProcNFe& proc = nfe.procNFe;
    if (proc.nProt.empty()) {
        return "";
    }
    const std::string received =
        proc.dhRecbto > 0 ? PageDateTime(proc.dhRecbto, Offset(nfe, proc.dhRecbto), " às ") : "";
    return Title("Eventos da NF-e") +
           RowTable({{TextCell("Evento"), TextCell("Protocolo"), TextCell("Data / Hora AN")},
                     {TextCell("Autorização de Uso"), TextCell(proc.nProt), TextCell(received)}},
                    "eventos");
}

// "Processo" stands before "Versão do Processo", which holds the same word.
std::string Emission(const TNFe& nfe) {
    const nfe::TIde& ide = nfe.Ide;
    return Fieldset("Emissão", CellTable({
                                   LabelledCell("Processo", CodedText(ide.procEmi)),
                                   LabelledCell("Versão do Processo", ide.verProc),
                                   LabelledCell("Tipo de Emissão", CodedText(ide.tpEmis)),
                                   LabelledCell("Finalidade", CodedText(ide.finNFe)),
                                   LabelledCell("Natureza da Operação", ide.natOp),
                                   LabelledCell("Tipo da Operação", CodedText(ide.tpNF)),
                                   LabelledCell("Forma de Pagamento", CodedText(ide.indPag)),
                                   LabelledCell("Digest Value da NF-e", nfe.procNFe.digVal),
                               }) + Title("Situação Atual: " + SituationText(nfe.procNFe)) +
                                   EventsTable(nfe));
}

// The municipality with its code comes before the municipality of the taxable event, and the
// state registration before the one as tax substitute: each first label is a prefix of the
// second.
std::string EmitterDetail(const TNFe& nfe) {
    const nfe::TEmit& emit = nfe.Emit;
    const nfe::TenderEmit& address = emit.EnderEmit;
    return Fieldset("Dados do Emitente",
                    CellTable({
                        LabelledCell("Nome / Razão Social", emit.xNome),
                        LabelledCell("Nome Fantasia", emit.xFant),
                        PartyDocument(emit.CNPJCPF),
                        LabelledCell("Endereço", Address(address.xLgr, address.nro)),
                        LabelledCell("Bairro / Distrito", address.xBairro),
                        LabelledCell("CEP", FormattedCep(address.CEP)),
                        LabelledCell("Município", Municipality(address.cMun, address.xMun)),
                        LabelledCell("Telefone", FormattedPhone(address.fone)),
                        LabelledCell("UF", address.UF),
                        LabelledCell("País", Country(address.cPais, address.xPais)),
                        LabelledCell("Inscrição Estadual", emit.IE),
                        LabelledCell("Inscrição Estadual do Substituto Tributário", emit.IEST),
                        LabelledCell("Inscrição Municipal", emit.IM),
                        LabelledCell("Município da Ocorrência do Fato Gerador do ICMS",
                                     nfe.Ide.cMunFG > 0 ? std::to_string(nfe.Ide.cMunFG) : ""),
                        LabelledCell("CNAE Fiscal", emit.CNAE),
                        LabelledCell("Código de Regime Tributário", CodedText(emit.CRT)),
                    }));
}

std::string RecipientDetail(const TNFe& nfe) {
    const nfe::TDest& dest = nfe.Dest;
    const nfe::TenderDest& address = dest.EnderDest;
    return Fieldset("Dados do Destinatário",
                    CellTable({
                        LabelledCell("Nome / Razão Social", dest.xNome),
                        PartyDocument(dest.CNPJCPF),
                        LabelledCell("Endereço", Address(address.xLgr, address.nro)),
                        LabelledCell("Bairro / Distrito", address.xBairro),
                        LabelledCell("CEP", FormattedCep(address.CEP)),
                        LabelledCell("Município", Municipality(address.cMun, address.xMun)),
                        LabelledCell("Telefone", FormattedPhone(address.fone)),
                        LabelledCell("UF", address.UF),
                        LabelledCell("País", Country(address.cPais, address.xPais)),
                        LabelledCell("Inscrição Estadual", dest.IE),
                        LabelledCell("E-mail", dest.Email),
                    }));
}

// The totals block ends where the transport heading begins; the ICMS base comes before the
// substitution base, whose label begins with the same words.
std::string Totals(const TNFe& nfe) {
    const nfe::TICMSTot& tot = nfe.Total.ICMSTot;
    return Fieldset("Totais",
                    CellTable({
                        LabelledCell("Base de Cálculo ICMS", Money(tot.vBC)),
                        LabelledCell("Valor do ICMS", Money(tot.vICMS)),
                        LabelledCell("Base de Cálculo ICMS ST", Money(tot.vBCST)),
                        LabelledCell("Valor ICMS Substituição", Money(tot.vST)),
                        LabelledCell("Valor Total dos Produtos", Money(tot.vProd)),
                        LabelledCell("Valor do Frete", Money(tot.vFrete)),
                        LabelledCell("Valor do Seguro", Money(tot.vSeg)),
                        LabelledCell("Outras Despesas Acessórias", Money(tot.vOutro)),
                        LabelledCell("Valor Total do IPI", Money(tot.vIPI)),
                        LabelledCell("Valor Total da NFe", Money(tot.vNF)),
                        LabelledCell("Valor Total dos Descontos", Money(tot.vDesc)),
                        LabelledCell("Valor Total do II", Money(tot.vII)),
                        LabelledCell("Valor do PIS", Money(tot.vPIS)),
                        LabelledCell("Valor da COFINS", Money(tot.vCOFINS)),
                        LabelledCell("Valor Aproximado dos Tributos", Money(tot.vTotTrib)),
                    }));
}

bool HasCarrier(const nfe::TTransporta& carrier) {
    return !carrier.CNPJCPF.empty() || !carrier.xNome.empty() || !carrier.IE.empty() ||
           !carrier.xEnder.empty() || !carrier.xMun.empty() || !carrier.UF.empty();
}

std::string Volume(const nfe::TVolCollectionItem& volume) {
    return Title("Volumes") + CellTable({
                                  LabelledCell("Quantidade", std::to_string(volume.qVol)),
                                  LabelledCell("Espécie", volume.esp),
                                  LabelledCell("Marca dos Volumes", volume.marca),
                                  LabelledCell("Numeração", volume.nVol),
                                  LabelledCell("Peso Líquido", PageNumber(volume.pesoL, 3)),
                                  LabelledCell("Peso Bruto", PageNumber(volume.pesoB, 3)),
                              });
}

// The freight mode follows its label directly. The carrier comes before its vehicle: both
// show "UF", and the carrier's is the first.
std::string Transport(const nfe::TTransp& transp) {
    std::string out = CellTable({JoinedCell("Modalidade do Frete", CodedText(transp.modFrete))});
    if (HasCarrier(transp.Transporta)) {
        const nfe::TTransporta& carrier = transp.Transporta;
        out += Title("Transportador") + CellTable({
                                            PartyDocument(carrier.CNPJCPF),
                                            LabelledCell("Razão Social / Nome", carrier.xNome),
                                            LabelledCell("Inscrição Estadual", carrier.IE),
                                            LabelledCell("Endereço Completo", carrier.xEnder),
                                            LabelledCell("Município", carrier.xMun),
                                            LabelledCell("UF", carrier.UF),
                                        });
    }
    if (!transp.veicTransp.placa.empty()) {
        const nfe::TveicTransp& vehicle = transp.veicTransp;
        out += Title("Veículo") + CellTable({
                                      LabelledCell("Placa", vehicle.placa),
                                      LabelledCell("UF", vehicle.UF),
                                      LabelledCell("RNTC", vehicle.RNTC),
                                  });
    }
    for (const nfe::TVolCollectionItem& volume : transp.Vol) {
        out += Volume(volume);
    }
    return Fieldset("Dados do Transporte", out);
}

bool HasBill(const nfe::TFat& fat) {
    return !fat.nFat.empty() || !fat.vOrig.IsZero() || !fat.vDesc.IsZero() || !fat.vLiq.IsZero();
}

// Rows of number, due date and value; rows of due date and value when an instalment has no
// number, as an empty cell would leave no line. The header's last cell holds "Valor " with its
// blank, as the portal writes it, and nothing follows the last row before the next heading.
std::string Instalments(const nfe::TDupCollection& instalments) {
    bool numbered = true;
    for (const nfe::TDupCollectionItem& dup : instalments) {
        numbered = numbered && !dup.nDup.empty();
    }
    std::vector<std::vector<std::string>> rows;
    if (numbered) {
        rows.push_back({TextCell("Número"), TextCell("Vencimento"), TextCell("Valor ")});
    } else {
        rows.push_back({TextCell("Vencimento"), TextCell("Valor ")});
    }
    for (const nfe::TDupCollectionItem& dup : instalments) {
        std::vector<std::string> row;
        if (numbered) {
            row.push_back(TextCell(dup.nDup));
        }
        row.push_back(TextCell(dup.dVenc > 0 ? PageDate(dup.dVenc) : ""));
        row.push_back(TextCell(Money(dup.vDup)));
        rows.push_back(std::move(row));
    }
    return Title("Duplicatas") + RowTable(rows, "duplicatas");
}

std::string Billing(const nfe::TCobr& cobr) {
    if (!HasBill(cobr.Fat) && cobr.Dup.Count() == 0) {
        return "";
    }
    std::string out;
    if (HasBill(cobr.Fat)) {
        out += Title("Fatura") + CellTable({
                                     LabelledCell("Número", cobr.Fat.nFat),
                                     LabelledCell("Valor Original", Money(cobr.Fat.vOrig)),
                                     LabelledCell("Valor Desconto", Money(cobr.Fat.vDesc)),
                                     LabelledCell("Valor Líquido", Money(cobr.Fat.vLiq)),
                                 });
    }
    if (cobr.Dup.Count() > 0) {
        out += Instalments(cobr.Dup);
    }
    return Fieldset("Cobrança", out);
}

// The note for the tax authority follows "Descrição" directly; the note for the taxpayer
// takes the line after "Descrição ", whose blank the portal writes inside the cell. Each note
// is one line, and a footer line follows them.
std::string AdditionalInformation(const TNFe& nfe) {
    std::string out =
        CellTable({LabelledCell("Formato de Impressão DANFE", CodedText(nfe.Ide.tpImp))});
    if (!nfe.InfAdic.infAdFisco.empty()) {
        out += Fieldset("Informações Adicionais de Interesse do Fisco",
                        CellTable({JoinedCell("Descrição", nfe.InfAdic.infAdFisco)}));
    }
    if (!nfe.InfAdic.infCpl.empty()) {
        out += Fieldset("Informações Complementares de Interesse do Contribuinte",
                        RowTable({{TextCell("Descrição ")}, {TextCell(nfe.InfAdic.infCpl)}}));
    }
    return Fieldset("Informações Adicionais", out);
}

std::string Footer() {
    return "<div class=\"rodape\">Portal da Nota Fiscal Eletrônica - consulta pública</div>\n";
}

}  // namespace

std::string RenderPrintPage(const TNFe& nfe) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Consulta Completa da NF-e</title>\n"
        "<style>fieldset { margin: 4px; } label { font-weight: bold; }</style>\n"
        "</head>\n<body>\n";
    page += ScriptBlock();
    page += KeyHeader(nfe);
    page += InvoiceData(nfe);
    page += PartySummaries(nfe);
    page += Emission(nfe);
    page += EmitterDetail(nfe);
    page += RecipientDetail(nfe);
    page += ProductsSection(nfe);
    page += Totals(nfe);
    page += Transport(nfe.Transp);
    page += Billing(nfe.Cobr);
    page += AdditionalInformation(nfe);
    page += Footer();
    page += "</body>\n</html>\n";
    return page;
}

}  // namespace sample
