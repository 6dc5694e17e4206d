#include "nfe/access_key.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/invoices/invoice_parts.h"

namespace sample {

using namespace parts;

nfe::TNFe VehicleInvoice() {
    nfe::TNFe nfe = BaseInvoice(1006);
    nfe.Emit.xNome = "ALFA VEICULOS E PECAS LTDA";
    nfe.Ide.natOp = "VENDA DE VEICULO NOVO";
    nfe::TDetCollectionItem& item = AddItem(
        nfe, Product("VEI-2015-01", "AUTOMOVEL SEDAN 1.6 FLEX 4 PORTAS", "87032310", 1, 52900));
    SetIcms(item, nfe::TkroCSTIcms::cst00);
    nfe::TveicProd& veic = item.Prod.veicProd;
    veic.tpOP = nfe::TkroTipoOperacao::toVendaConcessionaria;
    veic.chassi = "9BWZZZ377VT004251";
    veic.cCor = "0112";
    veic.xCor = "PRATA METALICO";
    veic.pot = "110";
    veic.Cilin = "1598";
    veic.pesoL = "1150";
    veic.pesoB = "1240";
    veic.nSerie = "VT004251";
    veic.tpComb = "16";
    veic.nMotor = "CFZ482913";
    veic.CMT = "1650";
    veic.dist = "2470";
    veic.anoMod = 2015;
    veic.anoFab = 2014;
    veic.tpPint = "M";
    veic.tpVeic = 6;
    veic.espVeic = 1;
    veic.VIN = "N";
    veic.condVeic = nfe::TkroCondicaoVeiculo::cvAcabado;
    veic.cMod = "005144";
    veic.cCorDENATRAN = "11";
    veic.lota = 5;
    veic.tpRest = 0;
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe MedicineInvoice() {
    nfe::TNFe nfe = BaseInvoice(1007);
    nfe.Emit.xNome = "ALFA DISTRIBUIDORA DE MEDICAMENTOS LTDA";
    nfe::TDetCollectionItem& item =
        AddItem(nfe, Product("MED-0450", "AMOXICILINA 500MG 21 CAPSULAS", "30042019", 150, 18.4)
                         .WithCfop("6102")
                         .WithUnit("CX"));
    SetIcms(item, nfe::TkroCSTIcms::cst60);
    item.infAdProd = "LOTES CONFORME RECEITUARIO";
    const struct {
        const char* number;
        double quantity;
        nfe::TDateTime made;
        nfe::TDateTime expires;
    } kLots[] = {
        {"AMX2014-118", 100, nfe::EncodeDate(2014, 11, 3), nfe::EncodeDate(2016, 11, 3)},
        {"AMX2015-007", 50, nfe::EncodeDate(2015, 1, 19), nfe::EncodeDate(2017, 1, 19)},
    };
    for (const auto& lot : kLots) {
        nfe::TmedCollectionItem& med = item.Prod.med.Add();
        med.nLote = lot.number;
        med.qLote = nfe::Currency::FromDouble(lot.quantity);
        med.dFab = lot.made;
        med.dVal = lot.expires;
        med.vPMC = nfe::Currency::FromDouble(32.9);
    }
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe InvoiceWithItems(int count, int nNF) {
    using enum nfe::TkroCSTIcms;
    static constexpr nfe::TkroCSTIcms kSituations[] = {cst00, cst10, cst20, cst60};
    nfe::TNFe nfe = BaseInvoice(nNF);
    for (int number = 1; number <= count; ++number) {
        nfe::TDetCollectionItem& item =
            AddItem(nfe, Product("ITEM-" + nfe::PadZeros(number, 5),
                                 "PECA DE REPOSICAO MODELO " + nfe::PadZeros(number, 5), "84829190",
                                 number % 7 + 1, 3.5 + number % 50)
                             .WithEan("7891000" + nfe::PadZeros(number, 6)));
        SetIcms(item, kSituations[number % 4]);
    }
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe LargeInvoice() {
    return InvoiceWithItems(990, 1014);
}

}  // namespace sample
