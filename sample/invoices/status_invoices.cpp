#include "sample/invoices/invoice_builders.h"
#include "sample/invoices/invoice_parts.h"

namespace sample {

using namespace parts;
namespace {

nfe::TNFe InvoiceOfTwoItems(int nNF) {
    nfe::TNFe nfe = BaseInvoice(nNF);
    SetIcms(AddItem(nfe, Product("TIN-0018", "TINTA ESMALTE SINTETICO BRANCO 3,6L", "32089010", 12,
                                 74.9)),
            nfe::TkroCSTIcms::cst10);
    SetIcms(AddItem(nfe, Product("PIN-0002", "PINCEL DE CERDAS 2 POLEGADAS", "96034010", 24, 6.2)),
            nfe::TkroCSTIcms::cst00);
    return nfe;
}

}  // namespace

nfe::TNFe Layout200Invoice() {
    nfe::TNFe nfe = InvoiceOfTwoItems(1011);
    nfe.infNFe.SetVersao(2.0);
    nfe.Ide.dEmi = nfe::EncodeDate(2013, 9, 16);
    nfe.Ide.dSaiEnt = nfe::EncodeDateTime({2013, 9, 17, 8, 30, 0});
    nfe.Ide.hSaiEnt = nfe.Ide.dSaiEnt;
    nfe.procNFe.dhRecbto = nfe::EncodeDateTime({2013, 9, 16, 10, 5, 44});
    nfe.procNFe.nProt = "135130000001011";
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe Layout400Invoice() {
    nfe::TNFe nfe = InvoiceOfTwoItems(1013);
    nfe.infNFe.SetVersao(4.0);
    nfe.Ide.dEmi = nfe::EncodeDateTime({2024, 3, 12, 9, 47, 15});
    nfe.Ide.dSaiEnt = nfe::EncodeDateTime({2024, 3, 12, 14, 0, 0});
    nfe.Ide.hSaiEnt = nfe.Ide.dSaiEnt;
    nfe.procNFe.dhRecbto = nfe::EncodeDateTime({2024, 3, 12, 9, 47, 52});
    nfe.procNFe.nProt = "135240000001013";
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

// Issued by a company whose CNPJ holds letters, as the federal revenue assigns them since
// July 2026, and carried by another.
nfe::TNFe AlphanumericCnpjInvoice() {
    nfe::TNFe nfe = InvoiceOfTwoItems(1234);
    nfe.infNFe.SetVersao(4.0);
    nfe.Ide.cNF = 12345678;
    nfe.Ide.dEmi = nfe::EncodeDateTime({2026, 9, 14, 10, 12, 40});
    nfe.Ide.dSaiEnt = nfe::EncodeDateTime({2026, 9, 14, 15, 0, 0});
    nfe.Ide.hSaiEnt = nfe.Ide.dSaiEnt;
    nfe.Emit.CNPJCPF = "12ABC34501DE35";
    nfe.Emit.xNome = "EPSILON COMERCIO DE TINTAS LTDA";
    nfe.Transp.modFrete = nfe::TkroModalidadeFrete::mfContaDestinatario;
    nfe.Transp.Transporta.CNPJCPF = "K7M2QX9L000174";
    nfe.Transp.Transporta.xNome = "TRANSPORTES ZETA LTDA";
    nfe.Transp.Transporta.xMun = "SAO PAULO";
    nfe.Transp.Transporta.UF = "SP";
    nfe.Transp.veicTransp.placa = "ZTA2C19";
    nfe.Transp.veicTransp.UF = "SP";
    nfe.procNFe.dhRecbto = nfe::EncodeDateTime({2026, 9, 14, 10, 13, 2});
    nfe.procNFe.nProt = "135260000001234";
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe Version110Invoice() {
    nfe::TNFe nfe = InvoiceOfTwoItems(1012);
    nfe.infNFe.SetVersao(1.1);
    nfe.Ide.dEmi = nfe::EncodeDate(2009, 6, 4);
    nfe.Ide.dSaiEnt = nfe::EncodeDateTime({2009, 6, 4, 11, 0, 0});
    nfe.Ide.hSaiEnt = nfe.Ide.dSaiEnt;
    nfe.procNFe.dhRecbto = nfe::EncodeDateTime({2009, 6, 4, 9, 41, 2});
    nfe.procNFe.nProt = "135090000001012";
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe CancelledInvoice() {
    nfe::TNFe nfe = InvoiceOfTwoItems(1013);
    nfe.procNFe.cStat = 101;
    nfe.procNFe.xMotivo = "Cancelado o uso da NF-e";
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

}  // namespace sample
