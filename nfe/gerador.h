#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "nfe/field_content.h"
#include "nfe/field_value.h"

namespace nfe {

enum TkroFormatoGravacao { fgXML, fgTXT };

// Builds the text of an XML document in document order, from group tags and field elements.
// A value that breaks a field's rules never stops it: the broken rule becomes a line in
// ListaDeAlertas and the element is still written by its occurrence rule. The text is UTF-8.
class TGerador {
public:
    struct TGeradorOpcoes {
        bool SomenteValidar = false;    // check and record alerts, append nothing
        bool IdentarXML = false;        // each tag and element on a line of its own, indented
        bool RetirarEspacos = true;     // runs of spaces in element content shrink to one
        bool RetirarAcentos = true;     // element content in printable ASCII only
        int NivelIdentacao = 0;         // kept up to date by wGrupo
        int TamanhoIdentacao = 3;       // spaces per level
        bool SuprimirDecimais = false;  // whole decimal values written without point
        bool TagVaziaNoFormatoResumido = true;  // "<TAG/>" rather than "<TAG></TAG>"
        std::string FormatoAlerta = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";
    };

    // The owner clears it before rendering a document; the generator only appends.
    std::string ArquivoFormatoXML;
    // The companion text layout is never filled in this program; it stays empty.
    std::string ArquivoFormatoTXT;
    std::vector<std::string> ListaDeAlertas;
    // The open groups as "<tag>" texts, quoted in alert lines.
    std::string TagNivel;
    // The upper-cased identifier of the last group opened.
    std::string IDNivel;
    TGeradorOpcoes Opcoes;
    // Lists written "|item|item|": a group whose text begins with an item stays out of the
    // breadcrumb, or lowers the indentation by one.
    std::string IgnorarTagNivel;
    std::string IgnorarTagIdentacao;

    // TAG is the whole text between the angle brackets: "/X" closes, "X .../" is self-closed.
    void wGrupo(std::string_view TAG, std::string_view ID = {}, bool Identar = true);

    // Occurrence 1 always writes the element (empty when the value is), 0 leaves out an
    // empty text, the zero date, midnight and a zero number. For decimal types the sizes
    // count without the point.
    void wCampo(TkroTipoCampo Tipo, std::string_view ID, std::string_view TAG, int minimo,
                int maximo, int ocorrencias, const FieldValue& valor,
                std::string_view Descricao = {});

    // An element "CPF" or "CNPJ" with the digits and letters of CNPJCPF, checked, for a Brazilian
    // party (cPais 1058); an empty "CNPJ" for a foreign one.
    void wCampoCNPJCPF(std::string_view ID1, std::string_view ID2, int cPais,
                       std::string_view CNPJCPF);

    // Adds a line built from Opcoes.FormatoAlerta, unless Alerta is blank.
    void wAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
                 std::string_view Alerta);

    void wTexto(std::string_view Texto);

    // Writes the text and CR LF, replacing the file in one step. Throws FileError when the
    // file cannot be written, leaving any older file as it was.
    bool SalvarArquivo(const std::filesystem::path& CaminhoArquivo,
                       TkroFormatoGravacao FormatoGravacao);

private:
    void AppendLine(std::string_view text);
    void EnterBreadcrumb(std::string_view TAG);
};

}  // namespace nfe
