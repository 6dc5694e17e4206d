#include "nfe/nfe_writer.h"

#include <algorithm>

#include "nfe/access_key.h"
#include "nfe/code_tables.h"
#include "nfe/municipality_names.h"
#include "nfe/place_codes.h"
#include "nfe/states.h"
#include "nfe/utc_offset.h"
#include "nfe/xml_escape.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace nfe {
namespace {

constexpr std::string_view kNamespaceNFe = "http://www.portalfiscal.inf.br/nfe";
constexpr std::string_view kNamespaceXmlDsig = "http://www.w3.org/2000/09/xmldsig#";
constexpr std::string_view kCanonicalXml = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
constexpr std::string_view kRsaSha1 = "http://www.w3.org/2000/09/xmldsig#rsa-sha1";
constexpr std::string_view kEnvelopedSignature =
    "http://www.w3.org/2000/09/xmldsig#enveloped-signature";
constexpr std::string_view kSha1 = "http://www.w3.org/2000/09/xmldsig#sha1";

constexpr std::string_view kConteudoInvalido = "Conteúdo inválido";
constexpr int kMunicipioExterior = 9999999;
constexpr int kModeloNFe = 55;
constexpr int kModeloNFCe = 65;
constexpr std::string_view kDestinatarioHomologacao =
    "NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL";

// The version between the quotes of versao="3.10", cut to four characters.
std::string VersionText(const std::string& versaoStr) {
    const auto open = versaoStr.find('"');
    const auto close = versaoStr.find('"', open + 1);
    return versaoStr.substr(open + 1, close - open - 1).substr(0, 4);
}

// The numeric code that the identifier carries, or 0 when it carries none (the identifier
// could not be composed).
int NumericCodeOf(const std::string& id, double versao) {
    return KeyCharacters(id).size() < 36 ? 0 : KeyNumericCode(id, versao);
}

std::string Quoted(std::string_view name, std::string_view value) {
    return std::string(name) + "=\"" + std::string(value) + "\"";
}

}  // namespace

TNFeW::TNFeW(TNFe& nfe) : NFe(nfe) {
    Gerador.IgnorarTagNivel = "|?xml version|NFe xmlns|infNFe versao|obsCont|obsFisco|";
}

bool TNFeW::GerarXml() {
    const double versao = NFe.infNFe.Versao();
    const std::string versaoStr = NFe.infNFe.VersaoStr();
    Usar_tcDe4 = versao >= 3.1;
    Versao = VersionText(versaoStr);
    CompletarIdentificacao();

    Gerador.ArquivoFormatoXML.clear();
    Gerador.ArquivoFormatoTXT.clear();

    const bool comProtocolo = !NFe.procNFe.nProt.empty();
    if (comProtocolo) {
        Gerador.wGrupo(R"(?xml version="1.0" encoding="UTF-8"?)", "", false);
        Gerador.wGrupo("nfeProc " + versaoStr + " " + Quoted("xmlns", kNamespaceNFe));
    }
    Gerador.wGrupo("NFe " + Quoted("xmlns", kNamespaceNFe));
    Gerador.wGrupo("infNFe " + versaoStr + " " + Quoted("Id", NFe.infNFe.ID));

    GerarIde();
    GerarEmit();
    if (!text::IsBlank(NFe.Avulsa.CNPJ)) {
        GerarAvulsa();
    }
    if (!NFe.Dest.CNPJCPF.empty() || !NFe.Dest.idEstrangeiro.empty() ||
        NFe.Dest.EnderDest.UF == "EX" || NFe.Ide.modelo != kModeloNFCe) {
        GerarDest();
    }
    if (!text::IsBlank(NFe.Retirada.xLgr)) {
        GerarRetirada();
    }
    if (!text::IsBlank(NFe.Entrega.xLgr)) {
        GerarEntrega();
    }
    GerarAutXML();
    GerarDet();
    GerarTotal();
    GerarTransp();
    GerarCobr();
    if (versao >= 3.0 && NFe.Ide.modelo == kModeloNFCe) {
        GerarPag();
    }
    GerarInfAdic();
    GerarExporta();
    GerarCompra();
    GerarCana();

    Gerador.wGrupo("/infNFe");
    if (DeveGerarAssinatura()) {
        GerarAssinatura();
    }
    Gerador.wGrupo("/NFe");
    if (comProtocolo) {
        Gerador.wTexto(TextoProtocolo());
        Gerador.wGrupo("/nfeProc");
    }
    return Gerador.ListaDeAlertas.empty();
}

std::string TNFeW::ObterNomeArquivo() const {
    return KeyCharacters(NFe.infNFe.ID) + "-nfe.xml";
}

void TNFeW::CompletarIdentificacao() {
    TInfNFe& infNFe = NFe.infNFe;
    const TIde& ide = NFe.Ide;
    const double versao = infNFe.Versao();

    const std::optional<std::string> candidata =
        ComposeAccessKey(ide.cUF, ide.cNF, NFe.Emit.CNPJCPF, ide.dEmi,
                         std::stoi(EnumToText(ide.tpEmis)), ide.nNF, ide.serie, ide.modelo, versao);
    if (!candidata) {
        Gerador.wAlerta("A01", "infNFe", "Chave da NFe", "Erro ao gerar a chave da NFe!");
    }
    // An identifier that holds a valid key keeps it, whatever prefix or grouping it was
    // typed with; any other gives way to the key composed from the header.
    if (!text::IsBlank(infNFe.ID) && IsValidAccessKey(infNFe.ID)) {
        infNFe.ID = "NFe" + KeyCharacters(infNFe.ID);
    } else {
        infNFe.ID = candidata.value_or("");
    }

    const std::string& id = infNFe.ID;
    NFe.Ide.cDV = !id.empty() && text::IsDigit(id.back()) ? IdentifierCheckDigit(id) : 0;
    NFe.Ide.cNF = NumericCodeOf(id, versao);
}

bool TNFeW::DeveGerarAssinatura() const {
    const TSignature& s = NFe.signature;
    switch (Opcoes.GerarTagAssinatura) {
        case TkroTagAssinatura::taSempre:
            return true;
        case TkroTagAssinatura::taNunca:
            return false;
        case TkroTagAssinatura::taSomenteSeAssinada:
            return !s.DigestValue.empty() && !s.SignatureValue.empty() &&
                   !s.X509Certificate.empty();
        case TkroTagAssinatura::taSomenteParaNaoAssinada:
            return s.DigestValue.empty() && s.SignatureValue.empty() && s.X509Certificate.empty();
    }
    return false;
}

void TNFeW::GerarAssinatura() {
    TSignature& s = NFe.signature;
    s.URI = KeyCharacters(NFe.infNFe.ID);

    // The block has a generator of its own, so that its alerts stay out of the document's.
    TGerador assinatura;
    assinatura.Opcoes.IdentarXML = Gerador.Opcoes.IdentarXML;
    assinatura.Opcoes.TagVaziaNoFormatoResumido = false;
    const std::string reference = "Reference " + Quoted("URI", "#NFe" + s.URI);
    const std::string signatureMethod = "SignatureMethod " + Quoted("Algorithm", kRsaSha1) + "/";
    const std::string enveloped = "Transform " + Quoted("Algorithm", kEnvelopedSignature) + "/";
    assinatura.IgnorarTagIdentacao =
        "|" + reference + "|" + signatureMethod + "|" + enveloped + "|/Transforms|/Reference|";

    assinatura.wGrupo("Signature " + Quoted("xmlns", kNamespaceXmlDsig), "XS01");
    assinatura.wGrupo("SignedInfo", "XS02");
    assinatura.wGrupo("CanonicalizationMethod " + Quoted("Algorithm", kCanonicalXml) + "/", "XS03");
    assinatura.wGrupo(signatureMethod, "XS05");
    assinatura.wGrupo(reference, "XS07");
    assinatura.wGrupo("Transforms", "XS10");
    assinatura.wGrupo(enveloped, "SX12");
    assinatura.wGrupo("Transform " + Quoted("Algorithm", kCanonicalXml) + "/", "SX12");
    assinatura.wGrupo("/Transforms");
    assinatura.wGrupo("DigestMethod " + Quoted("Algorithm", kSha1) + "/", "XS15");
    assinatura.wCampo(tcStr, "XS17", "DigestValue", 0, 999, 1, s.DigestValue);
    assinatura.wGrupo("/Reference");
    assinatura.wGrupo("/SignedInfo");
    assinatura.wCampo(tcStr, "XS18", "SignatureValue", 0, 999, 1, s.SignatureValue);
    assinatura.wGrupo("KeyInfo", "XS19");
    assinatura.wGrupo("X509Data", "XS20");
    assinatura.wCampo(tcStr, "XS21", "X509Certificate", 0, 999, 1, s.X509Certificate);
    assinatura.wGrupo("/X509Data");
    assinatura.wGrupo("/KeyInfo");
    assinatura.wGrupo("/Signature");
    Gerador.wTexto(assinatura.ArquivoFormatoXML);
}

std::string TNFeW::TextoProtocolo() const {
    const TProcNFe& p = NFe.procNFe;
    const std::string recebimento = NFe.infNFe.Versao() >= 3.1
                                        ? DateTimeWithUtcOffset(p.dhRecbto, NFe.Ide.cUF)
                                        : DateTimeText(p.dhRecbto);
    const auto elemento = [](std::string_view tag, std::string_view valor) {
        return "<" + std::string(tag) + ">" + std::string(valor) + "</" + std::string(tag) + ">";
    };
    return "<protNFe " + NFe.infNFe.VersaoStr() + "><infProt>" +
           elemento("tpAmb", EnumToText(p.tpAmb)) +
           elemento("verAplic", EscapeXmlText(p.verAplic)) +
           elemento("chNFe", EscapeXmlText(p.chNFe)) + elemento("dhRecbto", recebimento) +
           elemento("nProt", EscapeXmlText(p.nProt)) + elemento("digVal", EscapeXmlText(p.digVal)) +
           elemento("cStat", std::to_string(p.cStat)) +
           elemento("xMotivo", EscapeXmlText(p.xMotivo)) + "</infProt></protNFe>";
}

void TNFeW::GerarIde() {
    const TIde& ide = NFe.Ide;
    const double versao = NFe.infNFe.Versao();

    Gerador.wGrupo("ide", "B01");
    Gerador.wCampo(tcInt, "B02", "cUF", 2, 2, 1, ide.cUF, "UF");
    if (!IsKnownUFCode(ide.cUF)) {
        AlertarConteudoInvalido("B02", "cUF", "UF");
    }
    if (versao >= 2.0) {
        Gerador.wCampo(tcStr, "B03", "cNF", 8, 8, 1, PadZeros(ide.cNF, 8), "Codigo numerico");
    } else {
        Gerador.wCampo(tcStr, "B03", "cNF", 9, 9, 1, PadZeros(ide.cNF, 9), "Codigo numerico");
    }
    Gerador.wCampo(tcStr, "B04", "natOp", 1, 60, 1, ide.natOp, "Natureza da operacao");
    Gerador.wCampo(tcStr, "B05", "indPag", 1, 1, 1, EnumToText(ide.indPag),
                   "Indicador da forma de pagamento");
    Gerador.wCampo(tcInt, "B06", "mod", 2, 2, 1, ide.modelo, "Modelo do documento fiscal");
    Gerador.wCampo(tcInt, "B07", "serie", 1, 3, 1, ide.serie, "Serie do documento fiscal");
    Gerador.wCampo(tcInt, "B08", "nNF", 1, 9, 1, ide.nNF, "Numero do documento fiscal");
    if (versao >= 3.0) {
        Gerador.wCampo(tcStr, "B09", "dhEmi", 25, 25, 1, DateTimeWithUtcOffset(ide.dEmi, ide.cUF),
                       "Data e hora de emissao");
        if (ide.modelo == kModeloNFe && ide.dSaiEnt != 0) {
            Gerador.wCampo(tcStr, "B10", "dhSaiEnt", 25, 25, 0,
                           DateTimeWithUtcOffset(ide.dSaiEnt, ide.cUF),
                           "Data e hora de saida ou entrada");
        }
    } else {
        Gerador.wCampo(tcDat, "B09", "dEmi", 10, 10, 1, DateTimeValue(ide.dEmi), "Data de emissao");
        Gerador.wCampo(tcDat, "B10", "dSaiEnt", 10, 10, 0, DateTimeValue(ide.dSaiEnt),
                       "Data de saida ou entrada");
        if (ide.dSaiEnt > 0) {
            Gerador.wCampo(tcHor, "B10a", "hSaiEnt", 8, 8, 0, DateTimeValue(ide.hSaiEnt),
                           "Hora de saida ou entrada");
        }
    }
    Gerador.wCampo(tcStr, "B11", "tpNF", 1, 1, 1, EnumToText(ide.tpNF), "Tipo do documento");
    if (versao >= 3.0) {
        Gerador.wCampo(tcStr, "B11a", "idDest", 1, 1, 1, EnumToText(ide.idDest),
                       "Destino da operacao");
    }
    Gerador.wCampo(tcInt, "B12", "cMunFG", 7, 7, 1, ide.cMunFG, "Municipio do fato gerador");
    ValidarMunicipio("B12", "cMunFG", ide.cMunFG);
    // The referenced documents moved to the end of the group in layout 3.00.
    if (versao < 3.0) {
        GerarNFref();
    }
    Gerador.wCampo(tcStr, "B21", "tpImp", 1, 1, 1, EnumToText(ide.tpImp), "Formato do DANFE");
    Gerador.wCampo(tcStr, "B22", "tpEmis", 1, 1, 1, EnumToText(ide.tpEmis), "Tipo de emissao");
    Gerador.wCampo(tcInt, "B23", "cDV", 1, 1, 1, ide.cDV, "Digito verificador da chave");
    Gerador.wCampo(tcStr, "B24", "tpAmb", 1, 1, 1, EnumToText(ide.tpAmb), "Ambiente");
    Gerador.wCampo(tcStr, "B25", "finNFe", 1, 1, 1, EnumToText(ide.finNFe), "Finalidade");
    if (versao >= 3.0) {
        Gerador.wCampo(tcStr, "B25a", "indFinal", 1, 1, 1, EnumToText(ide.indFinal),
                       "Consumidor final");
        Gerador.wCampo(tcStr, "B25b", "indPres", 1, 1, 1, EnumToText(ide.indPres),
                       "Presenca do comprador");
    }
    Gerador.wCampo(tcStr, "B26", "procEmi", 1, 1, 1, EnumToText(ide.procEmi),
                   "Processo de emissao");
    Gerador.wCampo(tcStr, "B27", "verProc", 1, 20, 1, ide.verProc, "Versao do aplicativo");
    if (ide.dhCont > 0 || !ide.xJust.empty()) {
        if (versao >= 3.0) {
            Gerador.wCampo(tcStr, "B28", "dhCont", 25, 25, 1,
                           DateTimeWithUtcOffset(ide.dhCont, ide.cUF), "Entrada em contingencia");
        } else {
            Gerador.wCampo(tcStr, "B28", "dhCont", 19, 19, 1, DateTimeText(ide.dhCont),
                           "Entrada em contingencia");
        }
        Gerador.wCampo(tcStr, "B29", "xJust", 1, 256, 1, ide.xJust,
                       "Justificativa da contingencia");
    }
    if (versao >= 3.0) {
        GerarNFref();
    }
    Gerador.wGrupo("/ide");
}

void TNFeW::GerarNFref() {
    for (const TNFrefCollectionItem& ref : NFe.Ide.NFref) {
        Gerador.wGrupo("NFref", "B12a");
        if (!ref.refNFe.empty()) {
            const std::string key = KeyCharacters(ref.refNFe);
            Gerador.wCampo(tcEsp, "B13", "refNFe", 44, 44, 1, key, "Chave da NF-e referenciada");
            if (!IsValidAccessKey(key)) {
                AlertarConteudoInvalido("B13", "refNFe", "Chave da NF-e referenciada");
            }
        }
        if (ref.RefNF.nNF > 0) {
            GerarRefNF(ref.RefNF);
        }
        if (ref.RefNFP.nNF > 0) {
            GerarRefNFP(ref.RefNFP);
        }
        if (!ref.refCTe.empty()) {
            const std::string key = KeyCharacters(ref.refCTe);
            Gerador.wCampo(tcEsp, "B20i", "refCTe", 44, 44, 1, key, "Chave do CT-e referenciado");
            if (!IsValidAccessKey(key)) {
                AlertarConteudoInvalido("B20i", "refCTe", "Chave do CT-e referenciado");
            }
        }
        if (!ref.RefECF.nCOO.empty()) {
            GerarRefECF(ref.RefECF);
        }
        Gerador.wGrupo("/NFref");
    }
    AlertarOcorrencias("B12a", "NFref", NFe.Ide.NFref.Count(), 500, "Documentos referenciados");
}

void TNFeW::GerarRefNF(const TRefNF& refNF) {
    Gerador.wGrupo("refNF", "B14");
    Gerador.wCampo(tcInt, "B15", "cUF", 2, 2, 1, refNF.cUF, "UF");
    if (!IsKnownUFCode(refNF.cUF)) {
        AlertarConteudoInvalido("B15", "cUF", "UF");
    }
    Gerador.wCampo(tcEsp, "B16", "AAMM", 4, 4, 1, refNF.AAMM, "Ano e mes de emissao");
    if (!IsValidYearMonth(refNF.AAMM)) {
        Gerador.wAlerta("B16", "AAMM", "Ano e mes de emissao", "Periodo inválido");
    }
    Gerador.wCampoCNPJCPF("B17", "B17", kBrazilCountryCode, refNF.CNPJ);
    Gerador.wCampo(tcInt, "B18", "mod", 2, 2, 1, refNF.modelo, "Modelo do documento fiscal");
    if (refNF.modelo != 1) {
        Gerador.wAlerta("B18", "mod", "Modelo do documento fiscal", "Modelo de documento inválido");
    }
    Gerador.wCampo(tcInt, "B19", "serie", 1, 3, 1, refNF.serie, "Serie do documento fiscal");
    Gerador.wCampo(tcInt, "B20", "nNF", 1, 9, 1, refNF.nNF, "Numero do documento fiscal");
    Gerador.wGrupo("/refNF");
}

void TNFeW::GerarRefNFP(const TRefNFP& refNFP) {
    Gerador.wGrupo("refNFP", "B20a");
    Gerador.wCampo(tcInt, "B20b", "cUF", 2, 2, 1, refNFP.cUF, "UF");
    if (!IsKnownUFCode(refNFP.cUF)) {
        AlertarConteudoInvalido("B20b", "cUF", "UF");
    }
    Gerador.wCampo(tcEsp, "B20c", "AAMM", 4, 4, 1, refNFP.AAMM, "Ano e mes de emissao");
    if (!IsValidYearMonth(refNFP.AAMM)) {
        Gerador.wAlerta("B20c", "AAMM", "Ano e mes de emissao", "Periodo inválido");
    }
    Gerador.wCampoCNPJCPF("B20d", "B20e", NFe.Emit.EnderEmit.cPais, refNFP.CNPJCPF);
    Gerador.wCampo(tcStr, "B20f", "IE", 1, 14, 1, refNFP.IE, "Inscricao estadual do produtor");
    Gerador.wCampo(tcInt, "B20f", "mod", 2, 2, 1, refNFP.modelo, "Modelo do documento fiscal");
    Gerador.wCampo(tcInt, "B20g", "serie", 1, 3, 1, refNFP.serie, "Serie do documento fiscal");
    Gerador.wCampo(tcInt, "B20h", "nNF", 1, 9, 1, refNFP.nNF, "Numero do documento fiscal");
    Gerador.wGrupo("/refNFP");
}

void TNFeW::GerarRefECF(const TRefECF& refECF) {
    Gerador.wGrupo("refECF", "B20j");
    Gerador.wCampo(tcStr, "B20k", "mod", 2, 2, 1, EnumToText(refECF.modelo),
                   "Modelo do cupom fiscal");
    Gerador.wCampo(tcInt, "B20l", "nECF", 3, 3, 1, refECF.nECF, "Numero do ECF");
    Gerador.wCampo(tcInt, "B20m", "nCOO", 6, 6, 1, refECF.nCOO, "Numero do COO");
    Gerador.wGrupo("/refECF");
}

void TNFeW::GerarEmit() {
    const TEmit& emit = NFe.Emit;
    Gerador.wGrupo("emit", "C01");
    Gerador.wCampoCNPJCPF("C02", "C02a", emit.EnderEmit.cPais, emit.CNPJCPF);
    Gerador.wCampo(tcStr, "C03", "xNome", 2, 60, 1, emit.xNome, "Razao social do emitente");
    Gerador.wCampo(tcStr, "C04", "xFant", 1, 60, 0, emit.xFant, "Nome fantasia");
    GerarEnderEmit();
    Gerador.wCampo(tcStr, "C17", "IE", 0, 14, 1,
                   emit.IE == "ISENTO" ? emit.IE : text::DigitsOnly(emit.IE), "Inscricao estadual");
    Gerador.wCampo(tcStr, "C18", "IEST", 2, 14, 0, emit.IEST, "IE do substituto tributario");
    Gerador.wCampo(tcStr, "C19", "IM", 1, 15, 0, emit.IM, "Inscricao municipal");
    if (!emit.IM.empty()) {
        Gerador.wCampo(tcStr, "C20", "CNAE", 7, 7, 0, emit.CNAE, "CNAE fiscal");
    }
    if (NFe.infNFe.Versao() >= 2.0) {
        Gerador.wCampo(tcStr, "C21", "CRT", 1, 1, 1, EnumToText(emit.CRT),
                       "Codigo de regime tributario");
    }
    Gerador.wGrupo("/emit");
}

void TNFeW::GerarEnderEmit() {
    WriteAddress(NFe.Emit.EnderEmit, AddressOf::issuer);
}

void TNFeW::GerarAvulsa() {
    const TAvulsa& avulsa = NFe.Avulsa;
    Gerador.wGrupo("avulsa", "D01");
    Gerador.wCampo(tcStr, "D02", "CNPJ", 14, 14, 1, avulsa.CNPJ, "CNPJ do orgao emitente");
    Gerador.wCampo(tcStr, "D03", "xOrgao", 1, 60, 1, avulsa.xOrgao, "Orgao emitente");
    Gerador.wCampo(tcStr, "D04", "matr", 1, 60, 1, avulsa.matr, "Matricula do agente");
    Gerador.wCampo(tcStr, "D05", "xAgente", 1, 60, 1, avulsa.xAgente, "Nome do agente");
    Gerador.wCampo(tcStr, "D06", "fone", 6, 14, 0, text::DigitsOnly(avulsa.fone), "Telefone");
    Gerador.wCampo(tcStr, "D07", "UF", 2, 2, 1, avulsa.UF, "Sigla da UF");
    ValidarUF("D07", "UF", avulsa.UF);
    Gerador.wCampo(tcStr, "D08", "nDAR", 1, 60, 0, avulsa.nDAR, "Numero do DAR");
    Gerador.wCampo(tcDat, "D09", "dEmi", 10, 10, 0, DateTimeValue(avulsa.dEmi),
                   "Data de emissao do DAR");
    Gerador.wCampo(tcDe2, "D10", "vDAR", 1, 15, 0, avulsa.vDAR, "Valor do DAR");
    Gerador.wCampo(tcStr, "D11", "repEmi", 1, 60, 1, avulsa.repEmi, "Reparticao fiscal");
    Gerador.wCampo(tcDat, "D12", "dPag", 10, 10, 0, DateTimeValue(avulsa.dPag),
                   "Data de pagamento do DAR");
    Gerador.wGrupo("/avulsa");
}

void TNFeW::GerarDest() {
    TDest& dest = NFe.Dest;
    const double versao = NFe.infNFe.Versao();
    Gerador.wGrupo("dest", "E01");
    if (versao < 3.0 || (dest.EnderDest.cPais == kBrazilCountryCode && !dest.CNPJCPF.empty())) {
        Gerador.wCampoCNPJCPF("E02", "E03", dest.EnderDest.cPais, dest.CNPJCPF);
    } else {
        Gerador.wCampo(tcStr, "E03a", "idEstrangeiro", 1, 20, 1, dest.idEstrangeiro,
                       "Identificacao do destinatario estrangeiro");
    }
    Gerador.wCampo(tcStr, "E04", "xNome", 2, 60, NFe.Ide.modelo == kModeloNFe ? 1 : 0,
                   NFe.Ide.tpAmb == TkroTipoAmbiente::taHomologacao
                       ? std::string(kDestinatarioHomologacao)
                       : dest.xNome,
                   "Razao social do destinatario");
    if (NFe.Ide.modelo == kModeloNFe || !dest.EnderDest.xLgr.empty()) {
        GerarEnderDest();
    }
    if (versao >= 3.1) {
        Gerador.wCampo(tcStr, "E16a", "indIEDest", 1, 1, 1, EnumToText(dest.indIEDest),
                       "Indicador da IE do destinatario");
    } else {
        // Earlier layouts knew no recipients outside the state registration.
        dest.indIEDest = TkroindIEDest::inContribuinte;
    }
    if (dest.indIEDest != TkroindIEDest::inIsento && (!dest.IE.empty() || versao < 3.0)) {
        if (dest.IE.empty() || dest.IE == "ISENTO") {
            Gerador.wCampo(tcStr, "E17", "IE", 0, 14, 1, dest.IE, "Inscricao estadual");
        } else if (NFe.Ide.modelo != kModeloNFCe || !text::IsBlank(dest.IE)) {
            Gerador.wCampo(tcStr, "E17", "IE", 0, 14, 1, text::DigitsOnly(dest.IE),
                           "Inscricao estadual");
        }
    }
    Gerador.wCampo(tcStr, "E18", "ISUF", 8, 9, 0, dest.ISUF, "Inscricao na SUFRAMA");
    Gerador.wCampo(tcStr, "E18a", "IM", 1, 15, 0, dest.IM, "Inscricao municipal");
    Gerador.wCampo(tcStr, "E19", "email", 1, 60, 0, dest.Email, "Email");
    Gerador.wGrupo("/dest");
}

void TNFeW::GerarEnderDest() {
    WriteAddress(NFe.Dest.EnderDest, AddressOf::recipient);
}

// The issuer's and the recipient's addresses share their elements under the identifiers
// C05 to C16 and E05 to E16; they differ in the district's minimum size, whether the postal
// code is required, and the country, which an issuer always has in Brazil.
void TNFeW::WriteAddress(const Address& ender, AddressOf party) {
    const bool issuer = party == AddressOf::issuer;
    const std::string prefix = issuer ? "C" : "E";
    const auto id = [&](int number) { return prefix + PadZeros(number, 2); };
    const std::string group = issuer ? "enderEmit" : "enderDest";
    const Endereco ajustado = AjustarEndereco(ender.cPais, ender.cMun, ender.xMun, ender.UF);
    Gerador.wGrupo(group, id(5));
    Gerador.wCampo(tcStr, id(6), "xLgr", 2, 60, 1, ender.xLgr, "Logradouro");
    Gerador.wCampo(tcStr, id(7), "nro", 1, 60, 1, AjustarNro(ender.nro), "Numero");
    Gerador.wCampo(tcStr, id(8), "xCpl", 1, 60, 0, ender.xCpl, "Complemento");
    Gerador.wCampo(tcStr, id(9), "xBairro", issuer ? 2 : 1, 60, 1, ender.xBairro, "Bairro");
    Gerador.wCampo(tcInt, id(10), "cMun", 1, 7, 1, ajustado.cMun, "Codigo do municipio");
    // The code checked is the code written.
    ValidarMunicipio(id(10), "cMun", ajustado.cMun);
    Gerador.wCampo(tcStr, id(11), "xMun", 2, 60, 1, ajustado.xMun, "Nome do municipio");
    Gerador.wCampo(tcStr, id(12), "UF", 2, 2, 1, ajustado.UF, "Sigla da UF");
    ValidarUF(id(12), "UF", ajustado.UF);
    Gerador.wCampo(tcInt, id(13), "CEP", 8, 8, issuer ? 1 : 0, ender.CEP, "CEP");
    if (issuer) {
        Gerador.wCampo(tcInt, id(14), "cPais", 4, 4, 0, kBrazilCountryCode, "Codigo do pais");
    } else {
        Gerador.wCampo(tcStr, id(14), "cPais", 1, 4, 0,
                       ender.cPais == 0 ? std::string() : PadZeros(ender.cPais, 4),
                       "Codigo do pais");
        if (ender.cPais != 0 && !IsValidCountryCode(ender.cPais)) {
            AlertarConteudoInvalido(id(14), "cPais", "Codigo do pais");
        }
    }
    Gerador.wCampo(tcStr, id(15), "xPais", issuer ? 1 : 2, 60, 0, ender.xPais, "Nome do pais");
    Gerador.wCampo(tcStr, id(16), "fone", 6, 14, 0, text::DigitsOnly(ender.fone), "Telefone");
    Gerador.wGrupo("/" + group);
}

void TNFeW::GerarRetirada() {
    const TRetirada& retirada = NFe.Retirada;
    const int cPais = NFe.Emit.EnderEmit.cPais;
    const Endereco ajustado = AjustarEndereco(cPais, retirada.cMun, retirada.xMun, retirada.UF);
    Gerador.wGrupo("retirada", "F01");
    Gerador.wCampoCNPJCPF("F02", "F02a", cPais, retirada.CNPJCPF);
    Gerador.wCampo(tcStr, "F03", "xLgr", 2, 60, 1, retirada.xLgr, "Logradouro");
    Gerador.wCampo(tcStr, "F04", "nro", 1, 60, 1, AjustarNro(retirada.nro), "Numero");
    Gerador.wCampo(tcStr, "F05", "xCpl", 1, 60, 0, retirada.xCpl, "Complemento");
    Gerador.wCampo(tcStr, "F06", "xBairro", 1, 60, 1, retirada.xBairro, "Bairro");
    Gerador.wCampo(tcInt, "F07", "cMun", 1, 7, 1, ajustado.cMun, "Codigo do municipio");
    ValidarMunicipio("F07", "cMun", ajustado.cMun);
    Gerador.wCampo(tcStr, "F08", "xMun", 2, 60, 1, ajustado.xMun, "Nome do municipio");
    Gerador.wCampo(tcStr, "F09", "UF", 2, 2, 1, ajustado.UF, "Sigla da UF");
    ValidarUF("F09", "UF", ajustado.UF);
    Gerador.wGrupo("/retirada");
}

void TNFeW::GerarEntrega() {
    const TEntrega& entrega = NFe.Entrega;
    Gerador.wGrupo("entrega", "G01");
    Gerador.wCampoCNPJCPF("G02", "G02a", kBrazilCountryCode, entrega.CNPJCPF);
    Gerador.wCampo(tcStr, "G03", "xLgr", 2, 60, 1, entrega.xLgr, "Logradouro");
    Gerador.wCampo(tcStr, "G04", "nro", 1, 60, 1, AjustarNro(entrega.nro), "Numero");
    Gerador.wCampo(tcStr, "G05", "xCpl", 1, 60, 0, entrega.xCpl, "Complemento");
    Gerador.wCampo(tcStr, "G06", "xBairro", 1, 60, 1, entrega.xBairro, "Bairro");
    Gerador.wCampo(tcInt, "G07", "cMun", 1, 7, 1, entrega.cMun, "Codigo do municipio");
    ValidarMunicipio("G07", "cMun", entrega.cMun);
    Gerador.wCampo(tcStr, "G08", "xMun", 2, 60, 1, entrega.xMun, "Nome do municipio");
    Gerador.wCampo(tcStr, "G09", "UF", 2, 2, 1, entrega.UF, "Sigla da UF");
    ValidarUF("G09", "UF", entrega.UF);
    Gerador.wGrupo("/entrega");
}

void TNFeW::GerarAutXML() {
    for (const TautXMLCollectionItem& aut : NFe.autXML) {
        Gerador.wGrupo("autXML", "G50");
        Gerador.wCampoCNPJCPF("G51", "G52", kBrazilCountryCode, aut.CNPJCPF);
        Gerador.wGrupo("/autXML");
    }
    AlertarOcorrencias("G50", "autXML", NFe.autXML.Count(), 10, "Autorizados a obter o XML");
}

TNFeW::Endereco TNFeW::AjustarEndereco(int cPais, int cMun, const std::string& xMun,
                                       const std::string& UF) const {
    if (cPais != kBrazilCountryCode) {
        return {kMunicipioExterior, "EXTERIOR", "EX"};
    }
    if (Opcoes.NormatizarMunicipios) {
        if (auto nome = LookUpMunicipalityName(Opcoes.PathArquivoMunicipios, cMun)) {
            return {cMun, std::move(*nome), UF};
        }
    }
    return {cMun, xMun, UF};
}

std::string TNFeW::AjustarNro(const std::string& nro) const {
    const std::string_view trimmed = text::Trim(nro);
    if (Opcoes.AjustarTagNro && (trimmed.size() == 1 || trimmed.size() == 2) &&
        std::all_of(trimmed.begin(), trimmed.end(), text::IsDigit)) {
        return std::string(3 - trimmed.size(), '0') + std::string(trimmed);
    }
    return std::string(trimmed);
}

void TNFeW::AlertarConteudoInvalido(std::string_view ID, std::string_view TAG,
                                    std::string_view Descricao) {
    Gerador.wAlerta(ID, TAG, Descricao, kConteudoInvalido);
}

void TNFeW::ValidarUF(std::string_view ID, std::string_view TAG, std::string_view UF) {
    if (!IsValidStateAbbreviation(UF)) {
        AlertarConteudoInvalido(ID, TAG, "Sigla da UF");
    }
}

void TNFeW::ValidarMunicipio(std::string_view ID, std::string_view TAG, int cMun) {
    if (!IsValidMunicipalityCode(cMun)) {
        AlertarConteudoInvalido(ID, TAG, "Codigo do municipio");
    }
}

void TNFeW::AlertarOcorrencias(std::string_view ID, std::string_view TAG, int quantidade,
                               int maximo, std::string_view Descricao) {
    if (quantidade <= maximo) {
        return;
    }
    Gerador.wAlerta(
        ID, TAG, Descricao,
        "Número de ocorrências maior que o máximo permitido - Máximo " + std::to_string(maximo));
}

}  // namespace nfe
