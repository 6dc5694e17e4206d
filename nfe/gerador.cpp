#include "nfe/gerador.h"

#include <algorithm>

#include "files/atomic_file.h"
#include "nfe/access_key.h"
#include "nfe/cnpj.h"
#include "nfe/cpf.h"
#include "nfe/place_codes.h"
#include "nfe/xml_text_filter.h"
#include "text/ascii_case.h"
#include "text/character_count.h"
#include "text/character_filters.h"
#include "text/replace_all.h"
#include "text/trim.h"

namespace nfe {
namespace {

constexpr std::string_view kNenhumValorInformado = "Nenhum valor informado";
constexpr std::string_view kConteudoInvalido = "Conteúdo inválido";

bool BeginsWithItem(std::string_view text, std::string_view list) {
    while (!list.empty()) {
        const auto bar = list.find('|');
        const std::string_view item = list.substr(0, bar);
        if (!item.empty() && text.starts_with(item)) {
            return true;
        }
        list = bar == std::string_view::npos ? std::string_view() : list.substr(bar + 1);
    }
    return false;
}

// The item group "det" opens as '<det nItem="1">'.
std::size_t FindItemGroup(std::string_view breadcrumb) {
    for (auto found = breadcrumb.find("<det"); found != std::string_view::npos;
         found = breadcrumb.find("<det", found + 1)) {
        const char next = found + 4 < breadcrumb.size() ? breadcrumb[found + 4] : '\0';
        if (next == '>' || next == ' ') {
            return found;
        }
    }
    return std::string_view::npos;
}

}  // namespace

void TGerador::AppendLine(std::string_view text) {
    if (Opcoes.SomenteValidar) {
        return;
    }
    if (Opcoes.IdentarXML) {
        const int spaces = Opcoes.TamanhoIdentacao * Opcoes.NivelIdentacao;
        ArquivoFormatoXML.append(static_cast<std::size_t>(std::max(spaces, 0)), ' ');
        ArquivoFormatoXML.append(text).append("\r\n");
    } else {
        ArquivoFormatoXML.append(text);
    }
}

void TGerador::EnterBreadcrumb(std::string_view TAG) {
    if (!TAG.starts_with('/')) {
        // A self-closed group is over as soon as it is written.
        if (!TAG.ends_with('/')) {
            TagNivel.append("<").append(TAG).append(">");
        }
        return;
    }
    // Leaving an item drops the item and every group still listed inside it. Only "det"
    // itself counts: "detExport" is a group inside the item.
    if (TAG.substr(1) == "det") {
        if (const auto item = FindItemGroup(TagNivel); item != std::string::npos) {
            TagNivel.erase(item);
        }
        return;
    }
    const std::string opening = "<" + std::string(TAG.substr(1)) + ">";
    if (const auto found = TagNivel.find(opening); found != std::string::npos) {
        TagNivel.erase(found, opening.size());
    }
}

void TGerador::wGrupo(std::string_view TAG, std::string_view ID, bool Identar) {
    IDNivel = text::AsciiUpperCase(ID);
    if (!BeginsWithItem(TAG, IgnorarTagNivel)) {
        EnterBreadcrumb(TAG);
    }
    const bool closing = TAG.starts_with('/');
    if (Identar && closing) {
        --Opcoes.NivelIdentacao;
    }
    if (BeginsWithItem(TAG, IgnorarTagIdentacao)) {
        --Opcoes.NivelIdentacao;
    }
    AppendLine("<" + std::string(TAG) + ">");
    if (Identar && !closing) {
        ++Opcoes.NivelIdentacao;
    }
}

void TGerador::wCampo(TkroTipoCampo Tipo, std::string_view ID, std::string_view TAG, int minimo,
                      int maximo, int ocorrencias, const FieldValue& valor,
                      std::string_view Descricao) {
    ID = text::Trim(ID);
    TAG = text::Trim(TAG);
    const FieldContent content =
        FormatFieldContent(Tipo, valor, minimo, ocorrencias, Opcoes.SuprimirDecimais);
    // Decimal sizes count the digits; a whole value written without point needs no room
    // for it.
    if (IsDecimalType(Tipo) && content.text.find('.') != std::string::npos) {
        ++minimo;
        ++maximo;
    }
    if (content.invalid) {
        wAlerta(ID, TAG, Descricao, kConteudoInvalido);
    }

    const int length = static_cast<int>(text::Utf8CharacterCount(content.text));
    std::string alerta;
    if (ocorrencias == 1 && content.empty && minimo > 0) {
        alerta = kNenhumValorInformado;
    } else if (length < minimo && length > 1) {
        alerta = "Tamanho menor que o mínimo permitido";
    }
    if (length > maximo) {
        alerta = "Tamanho maior que o máximo permitido";
    }
    if (!alerta.empty() && alerta.find(kNenhumValorInformado) == std::string::npos &&
        !content.empty) {
        alerta += " [" + valor.Text() + "]";
    }
    wAlerta(ID, TAG, Descricao, alerta);

    const std::string tag(TAG);
    if (ocorrencias == 1 && content.empty) {
        AppendLine(Opcoes.TagVaziaNoFormatoResumido ? "<" + tag + "/>"
                                                    : "<" + tag + "></" + tag + ">");
    } else if (ocorrencias == 1 || !content.empty) {
        AppendLine("<" + tag + ">" +
                   FilterElementText(content.text, Opcoes.RetirarEspacos, Opcoes.RetirarAcentos) +
                   "</" + tag + ">");
    }
}

void TGerador::wCampoCNPJCPF(std::string_view ID1, std::string_view ID2, int cPais,
                             std::string_view CNPJCPF) {
    if (cPais != kBrazilCountryCode) {
        wCampo(tcStr, ID1, "CNPJ", 0, 0, 1, "");
        return;
    }
    const std::string characters = IdentifierCharacters(CNPJCPF);
    if (characters.size() == 11) {
        wCampo(tcStr, ID2, "CPF", 11, 11, 1, characters);
        if (!IsValidCPF(characters)) {
            wAlerta(ID2, "CPF", "", kConteudoInvalido);
        }
    } else if (characters.size() == 14) {
        wCampo(tcStr, ID1, "CNPJ", 14, 14, 1, characters);
        if (!IsValidCNPJ(characters)) {
            wAlerta(ID1, "CNPJ", "", kConteudoInvalido);
        }
    } else {
        wAlerta(std::string(ID1) + "-" + std::string(ID2), "CNPJ-CPF", "CNPJ/CPF",
                kNenhumValorInformado);
    }
}

void TGerador::wAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
                       std::string_view Alerta) {
    if (text::Trim(Alerta).empty()) {
        return;
    }
    std::string line = text::ReplaceAll(Opcoes.FormatoAlerta, "%TAGNIVEL%", TagNivel);
    line = text::ReplaceAll(line, "%TAG%", TAG);
    line = text::ReplaceAll(line, "%ID%", ID);
    line = text::ReplaceAll(line, "%MSG%", Alerta);
    line = text::ReplaceAll(line, "%DESCRICAO%", text::Trim(Descricao));
    ListaDeAlertas.push_back(std::move(line));
}

void TGerador::wTexto(std::string_view Texto) {
    if (!Opcoes.SomenteValidar) {
        ArquivoFormatoXML.append(Texto);
    }
}

bool TGerador::SalvarArquivo(const std::filesystem::path& CaminhoArquivo,
                             TkroFormatoGravacao FormatoGravacao) {
    const std::string& text = FormatoGravacao == fgXML ? ArquivoFormatoXML : ArquivoFormatoTXT;
    files::WriteFileAtomically(CaminhoArquivo, text + "\r\n");
    return true;
}

}  // namespace nfe
