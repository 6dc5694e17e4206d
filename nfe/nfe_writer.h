#pragma once

#include <cstdint>
#include <string>

#include "nfe/gerador.h"
#include "nfe/model/nfe_document.h"

namespace nfe {

// Renders one document as NF-e XML (layouts 2.00 and 3.10) in its own generator. GerarXml
// also completes the document's identity: it may replace infNFe.ID by a composed key and
// it sets Ide.cDV and Ide.cNF. The caller saves Gerador's text with SalvarArquivo.
class TNFeW {
public:
    enum class TkroTagAssinatura : std::uint8_t {
        taSempre,
        taNunca,
        taSomenteSeAssinada,
        taSomenteParaNaoAssinada
    };

    // The writer's own options (distinct from the generator's).
    struct TGeradorOpcoes {
        bool AjustarTagNro = true;
        bool GerarTagIPIparaNaoTributado = true;
        bool NormatizarMunicipios = false;
        TkroTagAssinatura GerarTagAssinatura = TkroTagAssinatura::taSomenteSeAssinada;
        std::string PathArquivoMunicipios;
    };

    explicit TNFeW(TNFe& nfe);

    // True when no alert was recorded.
    bool GerarXml();
    // The digits of infNFe.ID followed by "-nfe.xml".
    std::string ObterNomeArquivo() const;

    TGerador Gerador;
    TNFe& NFe;
    TGeradorOpcoes Opcoes;
    // Set by GerarXml: decimal types of the item groups for layout 3.10 and later.
    bool Usar_tcDe4 = false;
    // Set by GerarXml: the layout version as four characters, "3.10" or "2.00".
    std::string Versao;

private:
    // Document frame and document-level groups (nfe_writer.cpp).
    struct Endereco {
        int cMun;
        std::string xMun;
        std::string UF;
    };
    enum class AddressOf { issuer, recipient };

    void CompletarIdentificacao();
    bool DeveGerarAssinatura() const;
    void GerarAssinatura();
    std::string TextoProtocolo() const;
    void GerarIde();
    void GerarNFref();
    void GerarRefNF(const TRefNF& refNF);
    void GerarRefNFP(const TRefNFP& refNFP);
    void GerarRefECF(const TRefECF& refECF);
    void GerarEmit();
    void GerarEnderEmit();
    void GerarAvulsa();
    void GerarDest();
    void GerarEnderDest();
    void GerarRetirada();
    void GerarEntrega();
    void WriteAddress(const Address& ender, AddressOf party);
    void GerarAutXML();
    // Foreign addresses take the municipality 9999999, "EXTERIOR" and the state "EX".
    Endereco AjustarEndereco(int cPais, int cMun, const std::string& xMun,
                             const std::string& UF) const;
    // House numbers of one or two digits are padded to three.
    std::string AjustarNro(const std::string& nro) const;
    void AlertarConteudoInvalido(std::string_view ID, std::string_view TAG,
                                 std::string_view Descricao = {});
    void ValidarUF(std::string_view ID, std::string_view TAG, std::string_view UF);
    void ValidarMunicipio(std::string_view ID, std::string_view TAG, int cMun);
    // The alert for a list of more than maximo items.
    void AlertarOcorrencias(std::string_view ID, std::string_view TAG, int quantidade, int maximo,
                            std::string_view Descricao);

    // Items and taxes (nfe_writer_items.cpp, nfe_writer_taxes.cpp). Each group renderer
    // takes the item's position in NFe.Det.
    void GerarDet();
    void GerarDetProd(int i);
    void GerarDetProdDI(int i);
    void GerarDetProdDetExport(int i);
    void GerarDetProdVeicProd(int i);
    void GerarDetProdMed(int i);
    void GerarDetProdArma(int i);
    void GerarDetProdComb(int i);
    void GerarDetImposto(int i);
    void GerarDetImpostoICMS(int i);
    void GerarDetImpostoIPI(int i);
    void GerarDetImpostoII(int i);
    void GerarDetImpostoPIS(int i);
    void GerarDetImpostoPISST(int i);
    void GerarDetImpostoCOFINS(int i);
    void GerarDetImpostoCOFINSST(int i);
    void GerarDetImpostoISSQN(int i);
    void GerarDetDevol(int i);

    // Totals and closing groups (nfe_writer_totals.cpp).
    void GerarTotal();
    void GerarICMSTot();
    void GerarISSQNtot();
    void GerarRetTrib();
    void GerarTransp();
    void GerarTransporta();
    void GerarRetTransp();
    void GerarVeicTransp();
    void GerarReboque();
    void GerarVol();
    void GerarCobr();
    void GerarPag();
    void GerarInfAdic();
    // The name of a free field must be 1 to 20 characters long.
    void ValidarXCampo(std::string_view ID, std::string_view xCampo);
    void GerarObsCont();
    void GerarObsFisco();
    void GerarProcRef();
    void GerarExporta();
    void GerarCompra();
    void GerarCana();
};

}  // namespace nfe
