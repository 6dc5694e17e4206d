#include "sample/invoices/invoice_builders.h"
#include "sample/invoices/invoice_parts.h"

namespace sample {

using namespace parts;
namespace {

nfe::TNFe InvoiceOfOneItem(int nNF) {
    nfe::TNFe nfe = BaseInvoice(nNF);
    nfe::TDetCollectionItem& item = AddItem(
        nfe, Product("CHP-0030", "CHAPA DE ACO CARBONO 2MM", "72085200", 850, 6.45).WithUnit("KG"));
    SetIcms(item, nfe::TkroCSTIcms::cst00);
    return nfe;
}

}  // namespace

nfe::TNFe TransportInvoice() {
    nfe::TNFe nfe = InvoiceOfOneItem(1008);
    nfe::TTransp& transp = nfe.Transp;
    transp.modFrete = nfe::TkroModalidadeFrete::mfContaDestinatario;
    transp.Transporta.CNPJCPF = "77888999000181";
    transp.Transporta.xNome = "TRANSPORTADORA GAMA LTDA";
    transp.Transporta.IE = "112233445566";
    transp.Transporta.xEnder = "RODOVIA ANHANGUERA KM 25";
    transp.Transporta.xMun = "CAJAMAR";
    transp.Transporta.UF = "SP";
    transp.veicTransp.placa = "GAM4B21";
    transp.veicTransp.UF = "SP";
    transp.veicTransp.RNTC = "12345678";
    nfe::TVolCollectionItem& volume = transp.Vol.Add();
    volume.qVol = 1;
    volume.esp = "PALETE";
    volume.marca = "ALFA";
    volume.nVol = "1/1";
    volume.pesoL = nfe::Currency::FromDouble(850);
    volume.pesoB = nfe::Currency::FromDouble(872.5);
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe BillingInvoice() {
    nfe::TNFe nfe = InvoiceOfOneItem(1009);
    nfe.Ide.indPag = nfe::TkroIndicadorPagamento::ipPrazo;
    SumTotals(nfe);
    nfe::TCobr& cobr = nfe.Cobr;
    cobr.Fat.nFat = "1009";
    cobr.Fat.vOrig = nfe.Total.ICMSTot.vNF;
    cobr.Fat.vLiq = nfe.Total.ICMSTot.vNF;
    const nfe::Currency third = nfe::Currency::FromDouble(1827.5);
    const nfe::TDateTime dues[] = {nfe::EncodeDate(2015, 4, 1), nfe::EncodeDate(2015, 5, 1),
                                   nfe::EncodeDate(2015, 6, 1)};
    int number = 0;
    for (const nfe::TDateTime due : dues) {
        nfe::TDupCollectionItem& dup = cobr.Dup.Add();
        dup.nDup = "00" + std::to_string(++number);
        dup.dVenc = due;
        dup.vDup = number < 3 ? third : nfe.Total.ICMSTot.vNF - third - third;
    }
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe NotesInvoice() {
    nfe::TNFe nfe = InvoiceOfOneItem(1010);
    nfe.InfAdic.infAdFisco = "ICMS RECOLHIDO CONFORME REGIME ESPECIAL PROCESSO 2014-118";
    nfe.InfAdic.infCpl = "PEDIDO 4521 & ENTREGA PARCIAL; PAGAMENTO EM CONTA 12345-6";
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

}  // namespace sample
