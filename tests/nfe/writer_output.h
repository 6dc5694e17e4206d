#pragma once

// What the NF-e writer makes of a document, for the writer's tests.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "nfe/nfe_writer.h"

namespace nfe::writer_test {

struct WriterOutput {
    bool ok = false;
    std::string xml;
    std::vector<std::string> alertas;
};

// GerarXml on the document, after adjust has set the writer's options.
inline WriterOutput Render(TNFe& nfe, const std::function<void(TNFeW&)>& adjust = {}) {
    TNFeW writer(nfe);
    if (adjust) {
        adjust(writer);
    }
    const bool ok = writer.GerarXml();
    return {ok, writer.Gerador.ArquivoFormatoXML, writer.Gerador.ListaDeAlertas};
}

inline WriterOutput Render(TNFe& nfe, const TNFeW::TGeradorOpcoes& options) {
    return Render(nfe, [&](TNFeW& writer) { writer.Opcoes = options; });
}

// The first group named tag, from its opening tag (with or without attributes) to the closing
// tag that ends it, groups of the same name inside it included; empty when there is none.
inline std::string Group(std::string_view xml, std::string_view tag) {
    const std::string open = "<" + std::string(tag);
    const std::string close = "</" + std::string(tag) + ">";
    const auto opensHere = [&](std::size_t at) {
        const std::size_t after = at + open.size();
        return xml.compare(at, open.size(), open) == 0 && after < xml.size() &&
               (xml[after] == '>' || xml[after] == ' ');
    };
    std::size_t begin = xml.find(open);
    while (begin != std::string_view::npos && !opensHere(begin)) {
        begin = xml.find(open, begin + 1);
    }
    if (begin == std::string_view::npos) {
        return {};
    }
    int depth = 0;
    for (std::size_t at = begin; (at = xml.find('<', at)) != std::string_view::npos; ++at) {
        if (opensHere(at)) {
            ++depth;
        } else if (xml.compare(at, close.size(), close) == 0 && --depth == 0) {
            return std::string(xml.substr(begin, at + close.size() - begin));
        }
    }
    return {};
}

}  // namespace nfe::writer_test
