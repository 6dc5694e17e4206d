#pragma once

// Invoices built in code for the writer's tests: complete and valid, so that rendering them
// records no alert, and a test changes only what it is about.

#include <cmath>
#include <cstdint>
#include <string>

#include "nfe/model/nfe_document.h"

namespace nfe::samples {

inline TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return EncodeDateTime({year, month, day, hour, minute, second, 0});
}

// An item of goods under the normal regime: ICMS 00, IPI, PIS and COFINS at their rates.
inline TDetCollectionItem& AddTaxedItem(TNFe& nfe, const std::string& cProd,
                                        const std::string& xProd, double quantidade,
                                        double valorUnitario) {
    TDetCollectionItem& det = nfe.Det.Add();
    const double valor = quantidade * valorUnitario;
    TProd& prod = det.Prod;
    prod.nItem = nfe.Det.Count();
    prod.cProd = cProd;
    prod.cEAN = "7891234567895";
    prod.xProd = xProd;
    prod.NCM = "87083090";
    prod.CFOP = "6.102";
    prod.uCom = "JG";
    prod.qCom = Currency::FromDouble(quantidade);
    prod.vUnCom = valorUnitario;
    prod.vProd = Currency::FromDouble(valor);
    prod.cEANTrib = prod.cEAN;
    prod.uTrib = prod.uCom;
    prod.qTrib = prod.qCom;
    prod.vUnTrib = valorUnitario;
    prod.IndTot = TkroIndicadorTotal::itSomaTotalNFe;

    TImposto& imposto = det.Imposto;
    imposto.vTotTrib = Currency::FromDouble(valor * 0.2625);
    imposto.ICMS.orig = TkroOrigemMercadoria::oeNacional;
    imposto.ICMS.CST = TkroCSTIcms::cst00;
    imposto.ICMS.modBC = TkroDeterminacaoBaseIcms::dbiValorOperacao;
    imposto.ICMS.vBC = Currency::FromDouble(valor);
    imposto.ICMS.pICMS = Currency::FromDouble(12);
    imposto.ICMS.vICMS = Currency::FromDouble(valor * 0.12);
    imposto.IPI.cEnq = "999";
    imposto.IPI.CST = TkroCstIpi::ipi50;
    imposto.IPI.vBC = Currency::FromDouble(valor);
    imposto.IPI.pIPI = Currency::FromDouble(5);
    imposto.IPI.vIPI = Currency::FromDouble(valor * 0.05);
    imposto.PIS.CST = TkroCstPis::pis01;
    imposto.PIS.vBC = Currency::FromDouble(valor);
    imposto.PIS.pPIS = Currency::FromDouble(1.65);
    imposto.PIS.vPIS = Currency::FromDouble(valor * 0.0165);
    imposto.COFINS.CST = TkroCstCofins::cof01;
    imposto.COFINS.vBC = Currency::FromDouble(valor);
    imposto.COFINS.pCOFINS = Currency::FromDouble(7.6);
    imposto.COFINS.vCOFINS = Currency::FromDouble(valor * 0.076);
    return det;
}

// Layout 3.10, issued in São Paulo to a consumer in Rio de Janeiro, with a protocol.
inline TNFe NFe310ComProtocolo() {
    TNFe nfe;
    nfe.infNFe.ID = "35150811222333000181550010000012341123456783";
    nfe.infNFe.SetVersao(3.1);

    TIde& ide = nfe.Ide;
    ide.cUF = 35;
    ide.cNF = 12345678;
    ide.natOp = "VENDA DE MERCADORIA";
    ide.indPag = TkroIndicadorPagamento::ipPrazo;
    ide.modelo = 55;
    ide.serie = 1;
    ide.nNF = 1234;
    ide.dEmi = At(2015, 8, 24, 10, 30, 0);
    ide.dSaiEnt = At(2015, 8, 24, 11, 0, 0);
    ide.tpNF = TkroTipoNFe::tnSaida;
    ide.idDest = TkroDestinoOperacao::doInterestadual;
    ide.cMunFG = 3550308;
    ide.tpImp = TkroTipoImpressao::tiRetrato;
    ide.tpEmis = TkroTipoEmissao::teNormal;
    ide.tpAmb = TkroTipoAmbiente::taProducao;
    ide.finNFe = TkroFinalidadeNFe::fnNormal;
    ide.indFinal = TkroConsumidorFinal::cfConsumidorFinal;
    ide.indPres = TkroPresencaComprador::pcInternet;
    ide.procEmi = TkroProcessoEmissao::peAplicativoContribuinte;
    ide.verProc = "4.2.1";
    ide.NFref.Add().refNFe = "3515 0711 2223 3300 0181 5500 1000 0012 0011 2345 6706";

    TEmit& emit = nfe.Emit;
    emit.CNPJCPF = "11.222.333/0001-81";
    emit.xNome = "Comércio de Peças Ávila & Filhos Ltda";
    emit.xFant = "Ávila Peças";
    emit.EnderEmit.xLgr = "Rua das Flores";
    emit.EnderEmit.nro = "7";
    emit.EnderEmit.xCpl = "Sala 2";
    emit.EnderEmit.xBairro = "Centro";
    emit.EnderEmit.cMun = 3550308;
    emit.EnderEmit.xMun = "São Paulo";
    emit.EnderEmit.UF = "SP";
    emit.EnderEmit.CEP = 1310100;
    emit.EnderEmit.fone = "(11) 3333-4444";
    emit.IE = "123.456.789.110";
    emit.CRT = TkroCRT::crtRegimeNormal;

    TDest& dest = nfe.Dest;
    dest.CNPJCPF = "123.456.789-09";
    dest.xNome = "José da Silva";
    dest.EnderDest.xLgr = "Avenida Atlântica";
    dest.EnderDest.nro = "1702";
    dest.EnderDest.xBairro = "Copacabana";
    dest.EnderDest.cMun = 3304557;
    dest.EnderDest.xMun = "Rio de Janeiro";
    dest.EnderDest.UF = "RJ";
    dest.EnderDest.CEP = 22021001;
    dest.EnderDest.fone = "21 2222-3333";
    dest.indIEDest = TkroindIEDest::inNaoContribuinte;
    dest.Email = "jose@example.com.br";

    TEntrega& entrega = nfe.Entrega;
    entrega.CNPJCPF = "12345678909";
    entrega.xLgr = "Rua Barata Ribeiro";
    entrega.nro = "42";
    entrega.xBairro = "Copacabana";
    entrega.cMun = 3304557;
    entrega.xMun = "Rio de Janeiro";
    entrega.UF = "RJ";

    nfe.autXML.Add().CNPJCPF = "44555666000181";

    AddTaxedItem(nfe, "PC-001", "Pastilha de freio dianteira", 10, 50).infAdProd =
        "Jogo com 4 peças";
    TDetCollectionItem& disco = AddTaxedItem(nfe, "DF-020", "Disco de freio ventilado", 4, 125);
    disco.Prod.vFrete = Currency::FromDouble(25.5);
    disco.Prod.vDesc = Currency::FromDouble(10);

    TICMSTot& tot = nfe.Total.ICMSTot;
    tot.vBC = Currency::FromDouble(1000);
    tot.vICMS = Currency::FromDouble(120);
    tot.vProd = Currency::FromDouble(1000);
    tot.vFrete = Currency::FromDouble(25.5);
    tot.vDesc = Currency::FromDouble(10);
    tot.vIPI = Currency::FromDouble(50);
    tot.vPIS = Currency::FromDouble(16.5);
    tot.vCOFINS = Currency::FromDouble(76);
    tot.vNF = Currency::FromDouble(1065.5);
    tot.vTotTrib = Currency::FromDouble(262.5);

    TTransp& transp = nfe.Transp;
    transp.modFrete = TkroModalidadeFrete::mfContaEmitente;
    transp.Transporta.CNPJCPF = "77888999000181";
    transp.Transporta.xNome = "Transportes Rápidos Ltda";
    transp.Transporta.IE = "ISENTO";
    transp.Transporta.xEnder = "Rodovia Anhanguera, km 20";
    transp.Transporta.xMun = "Osasco";
    transp.Transporta.UF = "SP";
    transp.veicTransp.placa = "ABC1234";
    transp.veicTransp.UF = "SP";
    TVolCollectionItem& vol = transp.Vol.Add();
    vol.qVol = 2;
    vol.esp = "CAIXA";
    vol.marca = "AVILA";
    vol.pesoL = Currency::FromDouble(12.5);
    vol.pesoB = Currency::FromDouble(13.75);
    vol.Lacres.Add().nLacre = "L-0001";

    TCobr& cobr = nfe.Cobr;
    cobr.Fat.nFat = "1234";
    cobr.Fat.vOrig = Currency::FromDouble(1075.5);
    cobr.Fat.vDesc = Currency::FromDouble(10);
    cobr.Fat.vLiq = Currency::FromDouble(1065.5);
    TDupCollectionItem& dup1 = cobr.Dup.Add();
    dup1.nDup = "1234/1";
    dup1.dVenc = At(2015, 9, 23);
    dup1.vDup = Currency::FromDouble(532.75);
    TDupCollectionItem& dup2 = cobr.Dup.Add();
    dup2.nDup = "1234/2";
    dup2.dVenc = At(2015, 10, 23);
    dup2.vDup = Currency::FromDouble(532.75);

    nfe.InfAdic.infCpl = "Pedido 998; entrega em horário comercial.";
    TobsContCollectionItem& obs = nfe.InfAdic.obsCont.Add();
    obs.xCampo = "Vendedor";
    obs.xTexto = "Márcia";

    TProcNFe& prot = nfe.procNFe;
    prot.tpAmb = TkroTipoAmbiente::taProducao;
    prot.verAplic = "SP_NFE_PL_008i2";
    prot.chNFe = "35150811222333000181550010000012341123456783";
    prot.dhRecbto = At(2015, 8, 24, 10, 31, 15);
    prot.nProt = "135150012345678";
    prot.digVal = "q1Wc7X2p9v0yZ3kLm4Nn5Oo6Pp8=";
    prot.cStat = 100;
    prot.xMotivo = "Autorizado o uso da NF-e";
    return nfe;
}

// Layout 2.00, issued in Rio Grande do Sul to a company, without a protocol.
inline TNFe NFe200SemProtocolo() {
    TNFe nfe;
    nfe.infNFe.ID = "43120311222333000181550020000000421876543218";
    nfe.infNFe.SetVersao(2.0);

    TIde& ide = nfe.Ide;
    ide.cUF = 43;
    ide.cNF = 87654321;
    ide.natOp = "VENDA";
    ide.indPag = TkroIndicadorPagamento::ipVista;
    ide.modelo = 55;
    ide.serie = 2;
    ide.nNF = 42;
    ide.dEmi = At(2012, 3, 5);
    ide.dSaiEnt = At(2012, 3, 6);
    ide.hSaiEnt = At(1899, 12, 30, 8, 15, 0);
    ide.tpNF = TkroTipoNFe::tnSaida;
    ide.cMunFG = 4314902;
    ide.tpImp = TkroTipoImpressao::tiRetrato;
    ide.tpEmis = TkroTipoEmissao::teNormal;
    ide.tpAmb = TkroTipoAmbiente::taProducao;
    ide.finNFe = TkroFinalidadeNFe::fnNormal;
    ide.procEmi = TkroProcessoEmissao::peAplicativoContribuinte;
    ide.verProc = "2.0.9";
    TRefNF& refNF = ide.NFref.Add().RefNF;
    refNF.cUF = 43;
    refNF.AAMM = "1112";
    refNF.CNPJ = "44555666000181";
    refNF.modelo = 1;
    refNF.serie = 1;
    refNF.nNF = 501;

    TEmit& emit = nfe.Emit;
    emit.CNPJCPF = "11222333000181";
    emit.xNome = "Metalúrgica Gaúcha S.A.";
    emit.EnderEmit.xLgr = "Avenida Ipiranga";
    emit.EnderEmit.nro = "6681";
    emit.EnderEmit.xBairro = "Partenon";
    emit.EnderEmit.cMun = 4314902;
    emit.EnderEmit.xMun = "Porto Alegre";
    emit.EnderEmit.UF = "RS";
    emit.EnderEmit.CEP = 90619900;
    emit.IE = "0960000011";
    emit.CRT = TkroCRT::crtRegimeNormal;

    TDest& dest = nfe.Dest;
    dest.CNPJCPF = "44555666000181";
    dest.xNome = "Distribuidora Serra Ltda";
    dest.EnderDest.xLgr = "Rua Sinimbu";
    dest.EnderDest.nro = "1500";
    dest.EnderDest.xBairro = "Centro";
    dest.EnderDest.cMun = 4305108;
    dest.EnderDest.xMun = "Caxias do Sul";
    dest.EnderDest.UF = "RS";
    dest.EnderDest.CEP = 95020000;
    dest.IE = "029/0012345";

    TDetCollectionItem& chapa = AddTaxedItem(nfe, "CH-3MM", "Chapa de aço 3 mm", 100, 25);
    chapa.Prod.NCM = "72085200";
    chapa.Prod.CFOP = "5101";
    chapa.Prod.uCom = "UN";
    chapa.Prod.uTrib = "UN";
    chapa.Prod.cEAN = "";
    chapa.Prod.cEANTrib = "";
    chapa.Imposto.vTotTrib = Currency();
    chapa.Imposto.ICMS.CST = TkroCSTIcms::cst20;
    chapa.Imposto.ICMS.pRedBC = Currency::FromDouble(29.41);
    chapa.Imposto.ICMS.vBC = Currency::FromDouble(1764.75);
    chapa.Imposto.ICMS.pICMS = Currency::FromDouble(17);
    chapa.Imposto.ICMS.vICMS = Currency::FromDouble(300.01);

    TRetirada& retirada = nfe.Retirada;
    retirada.CNPJCPF = "11222333000181";
    retirada.xLgr = "Rua do Depósito";
    retirada.nro = "SEM NUMERO";
    retirada.xBairro = "Navegantes";
    retirada.cMun = 4314902;
    retirada.xMun = "Porto Alegre";
    retirada.UF = "RS";

    TICMSTot& tot = nfe.Total.ICMSTot;
    tot.vBC = Currency::FromDouble(2500);
    tot.vICMS = Currency::FromDouble(425);
    tot.vProd = Currency::FromDouble(2500);
    tot.vNF = Currency::FromDouble(2500);

    nfe.Transp.modFrete = TkroModalidadeFrete::mfContaDestinatario;
    nfe.Transp.Transporta.xNome = "Frete Serrano";
    TVolCollectionItem& vol = nfe.Transp.Vol.Add();
    vol.qVol = 10;
    vol.esp = "PALETE";
    vol.pesoB = Currency::FromDouble(1500.125);

    TDupCollectionItem& dup = nfe.Cobr.Dup.Add();
    dup.nDup = "42-A";
    dup.dVenc = At(2012, 4, 5);
    dup.vDup = Currency::FromDouble(2500);

    nfe.InfAdic.infAdFisco = "ICMS recolhido conforme RICMS/RS.";
    nfe.compra.xPed = "PC-778";
    return nfe;
}

// Layout 3.10, issued in Minas Gerais in summer time by a company of the Simples Nacional,
// with a protocol.
inline TNFe NFeSimplesNacional() {
    TNFe nfe;
    nfe.infNFe.ID = "31150144555666000181550010000007771201501201";
    nfe.infNFe.SetVersao(3.1);

    TIde& ide = nfe.Ide;
    ide.cUF = 31;
    ide.cNF = 20150120;
    ide.natOp = "VENDA A CONSUMIDOR";
    ide.modelo = 55;
    ide.serie = 1;
    ide.nNF = 777;
    ide.dEmi = At(2015, 1, 20, 16, 45, 10);
    ide.tpNF = TkroTipoNFe::tnSaida;
    ide.idDest = TkroDestinoOperacao::doInterna;
    ide.cMunFG = 3106200;
    ide.tpImp = TkroTipoImpressao::tiRetrato;
    ide.tpEmis = TkroTipoEmissao::teNormal;
    ide.finNFe = TkroFinalidadeNFe::fnNormal;
    ide.indFinal = TkroConsumidorFinal::cfConsumidorFinal;
    ide.indPres = TkroPresencaComprador::pcPresencial;
    ide.verProc = "1.0";

    TEmit& emit = nfe.Emit;
    emit.CNPJCPF = "44555666000181";
    emit.xNome = "Padaria Pão de Queijo Mineiro ME";
    emit.EnderEmit.xLgr = "Rua da Bahia";
    emit.EnderEmit.nro = "12";
    emit.EnderEmit.xBairro = "Centro";
    emit.EnderEmit.cMun = 3106200;
    emit.EnderEmit.xMun = "Belo Horizonte";
    emit.EnderEmit.UF = "MG";
    emit.EnderEmit.CEP = 30160011;
    emit.IE = "0623079040081";
    emit.CRT = TkroCRT::crtSimplesNacional;

    TDest& dest = nfe.Dest;
    dest.CNPJCPF = "12345678909";
    dest.xNome = "Maria Souza";
    dest.EnderDest.xLgr = "Avenida Afonso Pena";
    dest.EnderDest.nro = "SEM NUMERO";
    dest.EnderDest.xBairro = "Funcionários";
    dest.EnderDest.cMun = 3106200;
    dest.EnderDest.xMun = "Belo Horizonte";
    dest.EnderDest.UF = "MG";
    dest.EnderDest.CEP = 30130003;
    dest.indIEDest = TkroindIEDest::inNaoContribuinte;

    const auto addItem = [&nfe](const std::string& cProd, const std::string& xProd,
                                double quantidade, double valorUnitario,
                                TkroCSOSNIcms csosn) -> TDetCollectionItem& {
        TDetCollectionItem& det = nfe.Det.Add();
        TProd& prod = det.Prod;
        prod.nItem = nfe.Det.Count();
        prod.cProd = cProd;
        prod.xProd = xProd;
        prod.NCM = "19052090";
        prod.CFOP = "5102";
        prod.uCom = "KG";
        prod.qCom = Currency::FromDouble(quantidade);
        prod.vUnCom = valorUnitario;
        prod.vProd = Currency::FromDouble(quantidade * valorUnitario);
        prod.uTrib = prod.uCom;
        prod.qTrib = prod.qCom;
        prod.vUnTrib = valorUnitario;
        prod.IndTot = TkroIndicadorTotal::itSomaTotalNFe;
        det.Imposto.ICMS.orig = TkroOrigemMercadoria::oeNacional;
        det.Imposto.ICMS.CSOSN = csosn;
        det.Imposto.PIS.CST = TkroCstPis::pis99;
        det.Imposto.COFINS.CST = TkroCstCofins::cof99;
        return det;
    };
    TDetCollectionItem& pao =
        addItem("001", "Pão de queijo congelado", 2.5, 32.9, TkroCSOSNIcms::csosn101);
    pao.Imposto.ICMS.pCredSN = Currency::FromDouble(1.25);
    pao.Imposto.ICMS.vCredICMSSN = Currency::FromDouble(1.03);
    addItem("002", "Biscoito de polvilho", 0.75, 28, TkroCSOSNIcms::csosn102);

    nfe.Total.ICMSTot.vProd = Currency::FromDouble(103.25);
    nfe.Total.ICMSTot.vNF = Currency::FromDouble(103.25);
    nfe.Transp.modFrete = TkroModalidadeFrete::mfSemFrete;
    nfe.InfAdic.infCpl =
        "DOCUMENTO EMITIDO POR ME OU EPP OPTANTE PELO SIMPLES NACIONAL. PERMITE O "
        "APROVEITAMENTO DO CRÉDITO DE ICMS NO VALOR DE R$ 1,03; ALÍQUOTA DE 1,25%.";

    TProcNFe& prot = nfe.procNFe;
    prot.verAplic = "MG-NFE-3.10";
    prot.chNFe = nfe.infNFe.ID;
    prot.dhRecbto = At(2015, 1, 20, 16, 45, 58);
    prot.nProt = "131150000123456";
    prot.digVal = "Wq3mZt0p5nR8sY1uX4vB7cE2dF6=";
    prot.cStat = 100;
    prot.xMotivo = "Autorizado o uso da NF-e";
    return nfe;
}

}  // namespace nfe::samples
