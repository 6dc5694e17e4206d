#include "sample/portal/stand_in_content.h"

#include "sample/portal/portal_pages.h"

namespace sample {

std::string StandInPrintPage(const SampleInvoice& invoice) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta http-equiv=\"Content-Type\" "
           "content=\"text/html; charset=utf-8\" />\n<title>NF-e</title>\n</head>\n<body>\n"
           "<p>Chave de Acesso</p>\n<p>" +
           GroupedKey(invoice.key) + "</p>\n<p>" + invoice.description + "</p>\n</body>\n</html>\n";
}

std::string StandInXml(const SampleInvoice& invoice) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<nfeProc versao=\"" + invoice.layout +
           "\" xmlns=\"http://www.portalfiscal.inf.br/nfe\"><NFe><infNFe Id=\"NFe" + invoice.key +
           "\" versao=\"" + invoice.layout + "\"/></NFe></nfeProc>\n";
}

}  // namespace sample
