#include "nfe/access_key.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/invoices/invoice_parts.h"

namespace sample {

using namespace parts;
namespace {

Product Hardware(int number) {
    static constexpr const char* kNames[] = {
        "PARAFUSO SEXTAVADO M8 X 40 ZINCADO",
        "PORCA SEXTAVADA M8 ZINCADA",
        "ARRUELA LISA 8MM",
        "BROCA DE ACO RAPIDO 6MM",
        "CHAVE COMBINADA 13MM",
        "ALICATE UNIVERSAL 8 POLEGADAS",
        "TRENA DE ACO 5 METROS",
        "SERRA TICO-TICO 500W",
        "DISCO DE CORTE 115MM",
        "LIXA DE FERRO GRAO 120",
        "FITA ISOLANTE 20 METROS",
    };
    const int index = (number - 1) % static_cast<int>(std::size(kNames));
    return Product("ALF-" + nfe::PadZeros(number, 4), kNames[index], "73181500", 10.0 + number,
                   2.5 * number + 0.35)
        .WithEan("789100000" + nfe::PadZeros(number, 4));
}

}  // namespace

nfe::TNFe RegimeNormalInvoice() {
    using enum nfe::TkroCSTIcms;
    nfe::TNFe nfe = BaseInvoice(1001);
    int number = 0;
    for (const nfe::TkroCSTIcms cst :
         {cst00, cst10, cst20, cst30, cst40, cst41, cst50, cst51, cst60, cst70, cst90}) {
        SetIcms(AddItem(nfe, Hardware(++number)), cst);
    }
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe SimplesNacionalInvoice() {
    using enum nfe::TkroCSOSNIcms;
    nfe::TNFe nfe = BaseInvoice(1002);
    nfe.Emit.CRT = nfe::TkroCRT::crtSimplesNacional;
    nfe.Emit.xNome = "ALFA FERRAGENS MICROEMPRESA LTDA";
    int number = 0;
    for (const nfe::TkroCSOSNIcms csosn :
         {csosn101, csosn102, csosn201, csosn202, csosn500, csosn900}) {
        nfe::TDetCollectionItem& item = AddItem(nfe, Hardware(++number));
        SetIcmsSimples(item, csosn);
        // A company in the Simples Nacional pays PIS and COFINS inside the single tax.
        item.Imposto.PIS = {};
        item.Imposto.PIS.CST = nfe::TkroCstPis::pis99;
        item.Imposto.COFINS = {};
        item.Imposto.COFINS.CST = nfe::TkroCstCofins::cof99;
    }
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe IpiInvoice() {
    nfe::TNFe nfe = BaseInvoice(1003);
    nfe.Ide.natOp = "VENDA DE PRODUCAO DO ESTABELECIMENTO";
    nfe::TDetCollectionItem& taxed = AddItem(
        nfe,
        Product("MAQ-0100", "FURADEIRA DE BANCADA 350W", "84595900", 2, 899.9).WithCfop("6101"));
    SetIcms(taxed, nfe::TkroCSTIcms::cst00);
    nfe::TIPI& ipi = taxed.Imposto.IPI;
    ipi.cEnq = "999";
    ipi.CST = nfe::TkroCstIpi::ipi50;
    ipi.vBC = taxed.Prod.vProd;
    ipi.pIPI = nfe::Currency::FromDouble(5);
    ipi.vIPI = Percent(ipi.vBC, ipi.pIPI);

    nfe::TDetCollectionItem& untaxed = AddItem(
        nfe, Product("MAQ-0200", "MANUAL TECNICO IMPRESSO", "49011000", 2, 15).WithCfop("6101"));
    SetIcms(untaxed, nfe::TkroCSTIcms::cst40);
    untaxed.Imposto.IPI.cEnq = "999";
    untaxed.Imposto.IPI.CST = nfe::TkroCstIpi::ipi53;
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe ImportInvoice() {
    nfe::TNFe nfe = BaseInvoice(1004);
    nfe.Ide.natOp = "IMPORTACAO DE MERCADORIA";
    nfe.Ide.tpNF = nfe::TkroTipoNFe::tnEntrada;
    nfe.Ide.idDest = nfe::TkroDestinoOperacao::doExterior;
    nfe::TDest& dest = nfe.Dest;
    dest = nfe::TDest();
    dest.xNome = "SHENZHEN PRECISION TOOLS CO LTD";
    dest.idEstrangeiro = "CN9144030";
    dest.EnderDest.xLgr = "KEJI ROAD NANSHAN";
    dest.EnderDest.nro = "88";
    dest.EnderDest.xBairro = "NANSHAN";
    dest.EnderDest.cMun = 9999999;
    dest.EnderDest.xMun = "EXTERIOR";
    dest.EnderDest.UF = "EX";
    dest.EnderDest.cPais = 1600;
    dest.EnderDest.xPais = "CHINA";

    nfe::TDetCollectionItem& item = AddItem(
        nfe,
        Product("IMP-0001", "MOTOR ELETRICO TRIFASICO 5CV", "85015220", 4, 1250).WithCfop("3102"));
    SetIcms(item, nfe::TkroCSTIcms::cst00);
    item.Imposto.ICMS.orig = nfe::TkroOrigemMercadoria::oeEstrangeiraImportacaoDireta;
    nfe::TII& ii = item.Imposto.II;
    ii.vBc = item.Prod.vProd;
    ii.vDespAdu = nfe::Currency::FromDouble(350);
    ii.vII = Percent(ii.vBc, nfe::Currency::FromDouble(14));
    ii.vIOF = nfe::Currency::FromDouble(18.75);
    nfe::TIPI& ipi = item.Imposto.IPI;
    ipi.cEnq = "999";
    ipi.CST = nfe::TkroCstIpi::ipi00;
    ipi.vBC = ii.vBc + ii.vII;
    ipi.pIPI = nfe::Currency::FromDouble(10);
    ipi.vIPI = Percent(ipi.vBC, ipi.pIPI);
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

nfe::TNFe PisCofinsInvoice() {
    nfe::TNFe nfe = BaseInvoice(1005);
    struct Situation {
        nfe::TkroCstPis pis;
        nfe::TkroCstCofins cofins;
        bool taxed;
    };
    using enum nfe::TkroCstPis;
    using enum nfe::TkroCstCofins;
    int number = 0;
    for (const Situation situation :
         {Situation{pis01, cof01, true}, Situation{pis06, cof06, false},
          Situation{pis07, cof07, false}, Situation{pis49, cof49, true}}) {
        nfe::TDetCollectionItem& item = AddItem(nfe, Hardware(++number));
        SetIcms(item, nfe::TkroCSTIcms::cst00);
        nfe::TImposto& imposto = item.Imposto;
        imposto.PIS.CST = situation.pis;
        imposto.COFINS.CST = situation.cofins;
        if (!situation.taxed) {
            imposto.PIS = {};
            imposto.PIS.CST = situation.pis;
            imposto.COFINS = {};
            imposto.COFINS.CST = situation.cofins;
        }
    }
    SumTotals(nfe);
    CompleteKey(nfe);
    return nfe;
}

}  // namespace sample
