#include "danfe/danfe_file.h"

#include <fstream>
#include <sstream>
#include <string>

#include "danfe/cancellation.h"
#include "danfe/danfe_error.h"
#include "danfe/danfe_pdf.h"
#include "danfe/invoice_reader.h"
#include "files/atomic_file.h"
#include "files/system_error_text.h"
#include "nfe/access_key.h"

namespace danfe {

namespace {

std::string ReadWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw Error("O arquivo não pôde ser lido.");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::filesystem::path WriteDanfeFile(const std::filesystem::path& xmlFile,
                                     const std::filesystem::path& folder, bool cancelled) {
    const Invoice invoice = ReadInvoice(ReadWhole(xmlFile));
    // The key names the PDF, so it must be nothing but a valid key.
    if (!nfe::IsWrittenAccessKey(invoice.key)) {
        throw Error("A chave de acesso da NF-e não é válida: " + invoice.key.substr(0, 60));
    }
    Marks marks;
    marks.cancelled =
        cancelled || CancellationBeside(xmlFile.parent_path().empty() ? "." : xmlFile.parent_path(),
                                        invoice.key);
    const std::string pdf = DanfePdf(invoice, marks);
    const std::filesystem::path file = folder / (invoice.key + ".pdf");
    try {
        std::filesystem::create_directories(folder);
        files::WriteFileAtomically(file, pdf);
    } catch (const std::exception& error) {
        throw Error("O PDF não pôde ser gravado: " + files::ExceptionText(error));
    }
    return file;
}

}  // namespace danfe
