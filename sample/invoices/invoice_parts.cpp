#include "sample/invoices/invoice_parts.h"

#include <cmath>
#include <stdexcept>

#include "nfe/access_key.h"
#include "nfe/code_tables.h"

namespace sample::parts {

using nfe::Currency;

Currency Percent(Currency base, Currency rate) {
    // base and rate carry four decimals each; the product is rounded to cents.
    const long double exact = static_cast<long double>(base.Raw()) * rate.Raw() /
                              (100.0L * Currency::kScale * Currency::kScale);
    return Currency::FromRaw(std::llround(exact * 100) * (Currency::kScale / 100));
}

namespace {

void SetEmitter(nfe::TEmit& emit) {
    emit.CNPJCPF = "11222333000181";
    emit.xNome = "COMERCIAL ALFA DE FERRAGENS LTDA";
    emit.xFant = "ALFA FERRAGENS";
    emit.IE = "111222333444";
    emit.IM = "4455667";
    emit.CNAE = "4744001";
    emit.CRT = nfe::TkroCRT::crtRegimeNormal;
    nfe::TenderEmit& address = emit.EnderEmit;
    address.xLgr = "AVENIDA PAULISTA";
    address.nro = "1000";
    address.xBairro = "BELA VISTA";
    address.cMun = 3550308;
    address.xMun = "SAO PAULO";
    address.UF = "SP";
    address.CEP = 1310100;
    address.fone = "1133334444";
}

void SetRecipient(nfe::TDest& dest) {
    dest.CNPJCPF = "44555666000181";
    dest.xNome = "INDUSTRIA BETA DE MAQUINAS S.A.";
    dest.IE = "77665544";
    dest.Email = "compras@betamaquinas.com.br";
    nfe::TenderDest& address = dest.EnderDest;
    address.xLgr = "RUA DAS FLORES";
    address.nro = "123";
    address.xBairro = "CENTRO";
    address.cMun = 3304557;
    address.xMun = "RIO DE JANEIRO";
    address.UF = "RJ";
    address.CEP = 20040002;
    address.fone = "2122223333";
}

}  // namespace

nfe::TNFe BaseInvoice(int nNF) {
    nfe::TNFe nfe;
    nfe.infNFe.SetVersao(3.1);
    nfe::TIde& ide = nfe.Ide;
    ide.cUF = 35;
    ide.cNF = 20150000 + nNF;
    ide.natOp = "VENDA DE MERCADORIA ADQUIRIDA DE TERCEIROS";
    ide.indPag = nfe::TkroIndicadorPagamento::ipVista;
    ide.modelo = 55;
    ide.serie = 1;
    ide.nNF = nNF;
    ide.dEmi = nfe::EncodeDateTime({2015, 3, 2, 14, 22, 31});
    ide.dSaiEnt = nfe::EncodeDateTime({2015, 3, 2, 16, 0, 0});
    ide.hSaiEnt = ide.dSaiEnt;
    ide.tpNF = nfe::TkroTipoNFe::tnSaida;
    ide.idDest = nfe::TkroDestinoOperacao::doInterestadual;
    ide.cMunFG = 3550308;
    ide.tpImp = nfe::TkroTipoImpressao::tiRetrato;
    ide.tpEmis = nfe::TkroTipoEmissao::teNormal;
    ide.finNFe = nfe::TkroFinalidadeNFe::fnNormal;
    ide.indFinal = nfe::TkroConsumidorFinal::cfNao;
    ide.indPres = nfe::TkroPresencaComprador::pcNao;
    ide.procEmi = nfe::TkroProcessoEmissao::peAplicativoContribuinte;
    ide.verProc = "ALFA-NFE 4.2.1";
    SetEmitter(nfe.Emit);
    SetRecipient(nfe.Dest);
    nfe.Transp.modFrete = nfe::TkroModalidadeFrete::mfContaEmitente;

    nfe::TProcNFe& proc = nfe.procNFe;
    proc.tpAmb = nfe::TkroTipoAmbiente::taProducao;
    proc.verAplic = "SP_NFE_PL_008i2";
    proc.dhRecbto = nfe::EncodeDateTime({2015, 3, 2, 14, 23, 5});
    proc.nProt = "135150" + nfe::PadZeros(nNF, 9);
    proc.digVal = "q0Yt7k3ZtWc2bQmXh6f1Rz8n4Lk=";
    proc.cStat = 100;
    proc.xMotivo = "Autorizado o uso da NF-e";
    return nfe;
}

nfe::TDetCollectionItem& AddItem(nfe::TNFe& nfe, const Product& product) {
    nfe::TDetCollectionItem& item = nfe.Det.Add();
    nfe::TProd& prod = item.Prod;
    prod.nItem = nfe.Det.Count();
    prod.cProd = product.code;
    prod.xProd = product.description;
    prod.NCM = product.ncm;
    prod.CFOP = product.cfop;
    prod.cEAN = product.ean;
    prod.cEANTrib = product.ean;
    prod.uCom = product.unit;
    prod.uTrib = product.unit;
    prod.qCom = Currency::FromDouble(product.quantity);
    prod.qTrib = prod.qCom;
    prod.vUnCom = product.unitPrice;
    prod.vUnTrib = product.unitPrice;
    prod.vProd = Currency::FromDouble(std::round(product.quantity * product.unitPrice * 100) / 100);
    prod.IndTot = nfe::TkroIndicadorTotal::itSomaTotalNFe;

    nfe::TImposto& imposto = item.Imposto;
    imposto.vTotTrib = Percent(prod.vProd, Currency::FromDouble(31.45));
    imposto.PIS.CST = nfe::TkroCstPis::pis01;
    imposto.PIS.vBC = prod.vProd;
    imposto.PIS.pPIS = Currency::FromDouble(1.65);
    imposto.PIS.vPIS = Percent(prod.vProd, imposto.PIS.pPIS);
    imposto.COFINS.CST = nfe::TkroCstCofins::cof01;
    imposto.COFINS.vBC = prod.vProd;
    imposto.COFINS.pCOFINS = Currency::FromDouble(7.6);
    imposto.COFINS.vCOFINS = Percent(prod.vProd, imposto.COFINS.pCOFINS);
    return item;
}

namespace {

// The substitution on top of a base: margin 40 %, rate 18 %, less the ICMS of the operation.
void SetSubstitution(nfe::TICMS& icms, Currency base, Currency ownIcms) {
    icms.modBCST = nfe::TkroDeterminacaoBaseIcmsST::dbisMargemValorAgregado;
    icms.pMVAST = Currency::FromDouble(40);
    icms.vBCST = base + Percent(base, icms.pMVAST);
    icms.pICMSST = Currency::FromDouble(18);
    icms.vICMSST = Percent(icms.vBCST, icms.pICMSST) - ownIcms;
}

void SetOwnIcms(nfe::TICMS& icms, Currency base) {
    icms.modBC = nfe::TkroDeterminacaoBaseIcms::dbiValorOperacao;
    icms.vBC = base;
    icms.pICMS = Currency::FromDouble(12);
    icms.vICMS = Percent(base, icms.pICMS);
}

}  // namespace

void SetIcms(nfe::TDetCollectionItem& item, nfe::TkroCSTIcms cst) {
    using enum nfe::TkroCSTIcms;
    nfe::TICMS& icms = item.Imposto.ICMS;
    const Currency value = item.Prod.vProd;
    icms.CST = cst;
    switch (cst) {
        case cst00:
            SetOwnIcms(icms, value);
            break;
        case cst10:
            SetOwnIcms(icms, value);
            SetSubstitution(icms, value, icms.vICMS);
            break;
        case cst20:
            icms.pRedBC = Currency::FromDouble(20);
            SetOwnIcms(icms, value - Percent(value, icms.pRedBC));
            break;
        case cst30:
            SetSubstitution(icms, value, Percent(value, Currency::FromDouble(12)));
            icms.pMVAST = Currency();
            break;
        case cst51:
            icms.pRedBC = Currency::FromDouble(20);
            SetOwnIcms(icms, value - Percent(value, icms.pRedBC));
            icms.vICMSOp = icms.vICMS;
            icms.pDif = Currency::FromDouble(33.33);
            icms.vICMSDif = Percent(icms.vICMSOp, icms.pDif);
            icms.vICMS = icms.vICMSOp - icms.vICMSDif;
            break;
        case cst60:
            icms.vBCSTRet = Percent(value, Currency::FromDouble(140));
            icms.vICMSSTRet = Percent(icms.vBCSTRet, Currency::FromDouble(18));
            break;
        case cst70:
            icms.pRedBC = Currency::FromDouble(20);
            SetOwnIcms(icms, value - Percent(value, icms.pRedBC));
            SetSubstitution(icms, value, icms.vICMS);
            icms.pRedBCST = Currency::FromDouble(10);
            break;
        case cst90:
            SetOwnIcms(icms, value);
            SetSubstitution(icms, value, icms.vICMS);
            icms.pRedBCST = Currency::FromDouble(5);
            break;
        case cst40:
        case cst41:
        case cst50:
            break;
        default:
            throw std::invalid_argument("no sample item for this ICMS situation");
    }
}

void SetIcmsSimples(nfe::TDetCollectionItem& item, nfe::TkroCSOSNIcms csosn) {
    using enum nfe::TkroCSOSNIcms;
    nfe::TICMS& icms = item.Imposto.ICMS;
    const Currency value = item.Prod.vProd;
    icms.CSOSN = csosn;
    const auto credit = [&] {
        icms.pCredSN = Currency::FromDouble(2.56);
        icms.vCredICMSSN = Percent(value, icms.pCredSN);
    };
    switch (csosn) {
        case csosn101:
            credit();
            break;
        case csosn201:
            SetSubstitution(icms, value, Percent(value, Currency::FromDouble(12)));
            credit();
            break;
        case csosn202:
            SetSubstitution(icms, value, Percent(value, Currency::FromDouble(12)));
            break;
        case csosn500:
            icms.vBCSTRet = Percent(value, Currency::FromDouble(140));
            icms.vICMSSTRet = Percent(icms.vBCSTRet, Currency::FromDouble(18));
            break;
        case csosn900:
            SetOwnIcms(icms, value);
            SetSubstitution(icms, value, icms.vICMS);
            icms.pMVAST = Currency();
            credit();
            break;
        case csosn102:
            break;
        default:
            throw std::invalid_argument("no sample item for this CSOSN");
    }
}

void SumTotals(nfe::TNFe& nfe) {
    nfe::TICMSTot& tot = nfe.Total.ICMSTot;
    tot = nfe::TICMSTot();
    for (const nfe::TDetCollectionItem& item : nfe.Det) {
        const nfe::TProd& prod = item.Prod;
        const nfe::TImposto& imposto = item.Imposto;
        tot.vBC += imposto.ICMS.vBC;
        tot.vICMS += imposto.ICMS.vICMS;
        tot.vBCST += imposto.ICMS.vBCST;
        tot.vST += imposto.ICMS.vICMSST;
        tot.vProd += prod.vProd;
        tot.vFrete += prod.vFrete;
        tot.vSeg += prod.vSeg;
        tot.vDesc += prod.vDesc;
        tot.vOutro += prod.vOutro;
        tot.vII += imposto.II.vII;
        tot.vIPI += imposto.IPI.vIPI;
        tot.vPIS += imposto.PIS.vPIS;
        tot.vCOFINS += imposto.COFINS.vCOFINS;
        tot.vTotTrib += imposto.vTotTrib;
    }
    tot.vNF =
        tot.vProd - tot.vDesc + tot.vST + tot.vFrete + tot.vSeg + tot.vOutro + tot.vII + tot.vIPI;
}

void CompleteKey(nfe::TNFe& nfe) {
    const nfe::TIde& ide = nfe.Ide;
    const std::optional<std::string> identifier = nfe::ComposeAccessKey(
        ide.cUF, ide.cNF, nfe.Emit.CNPJCPF, ide.dEmi, std::stoi(nfe::EnumToText(ide.tpEmis)),
        ide.nNF, ide.serie, ide.modelo, nfe.infNFe.Versao());
    if (!identifier) {
        throw std::invalid_argument("the sample invoice's header cannot make an access key");
    }
    nfe.infNFe.ID = nfe::KeyCharacters(*identifier);
    nfe.procNFe.chNFe = nfe.infNFe.ID;
    nfe.Ide.cDV = nfe.infNFe.ID.back() - '0';
}

}  // namespace sample::parts
