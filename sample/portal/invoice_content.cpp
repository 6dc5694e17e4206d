#include "sample/portal/invoice_content.h"

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "nfe/access_key.h"
#include "nfe/nfe_writer.h"
#include "sample/print_page/print_page.h"

namespace sample {
namespace {

struct Content {
    std::string key;
    std::function<nfe::TNFe()> build;
    std::once_flag made;
    std::string printPage;
    std::string xml;
};

void Make(Content& content) {
    nfe::TNFe document = DocumentWithKey(content.build(), content.key);
    content.printPage = RenderPrintPage(document);
    // The writer knows no layout after 3.10: a newer invoice's file is written in 3.10, as the
    // program writes the conversion of its page.
    if (document.infNFe.Versao() > 3.1) {
        document.infNFe.SetVersao(3.1);
    }
    nfe::TNFeW writer(document);
    writer.GerarXml();
    content.xml = writer.Gerador.ArquivoFormatoXML;
    content.build = nullptr;
}

}  // namespace

nfe::TNFe DocumentWithKey(nfe::TNFe document, std::string_view key) {
    const std::string characters = nfe::KeyCharacters(key);
    if (!nfe::IsValidAccessKey(characters)) {
        throw std::invalid_argument("not a valid access key: " + std::string(key));
    }
    document.infNFe.ID = characters;
    document.procNFe.chNFe = characters;
    document.Ide.modelo = std::stoi(characters.substr(20, 2));
    document.Ide.serie = std::stoi(characters.substr(22, 3));
    document.Ide.nNF = std::stoi(characters.substr(25, 9));
    document.Ide.cNF = nfe::KeyNumericCode(characters, document.infNFe.Versao());
    document.Ide.cDV = characters.back() - '0';
    return document;
}

void SetInvoiceContent(SampleInvoice& invoice, std::function<nfe::TNFe()> build) {
    const auto content = std::make_shared<Content>();
    content->key = invoice.key;
    content->build = std::move(build);
    invoice.printPage = [content] {
        std::call_once(content->made, Make, *content);
        return content->printPage;
    };
    invoice.xml = [content] {
        std::call_once(content->made, Make, *content);
        return content->xml;
    };
}

}  // namespace sample
