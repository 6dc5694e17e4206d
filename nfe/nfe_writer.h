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
        bool GerarTXTSimultaneamente = false;
        bool NormatizarMunicipios = false;
        TkroTagAssinatura GerarTagAssinatura = TkroTagAssinatura::taSomenteSeAssinada;
        std::string PathArquivoMunicipios;
        bool ValidarInscricoes = false;
        bool ValidarListaServicos = false;
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
};

}  // namespace nfe
