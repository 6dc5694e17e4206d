#include "convert/convert_page_text.h"

#include "convert/invoice_file.h"
#include "convert/page_document.h"

namespace convert {

std::filesystem::path ConvertPageText(std::string_view pageLines,
                                      const ConversionSettings& settings) {
    nfe::TNFe nfe = ReadPageDocument(pageLines, settings);
    return WriteInvoiceFile(nfe, settings);
}

}  // namespace convert
