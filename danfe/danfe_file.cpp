#include "danfe/danfe_file.h"

#include <fstream>
#include <sstream>
#include <string>

#include "danfe/cancellation.h"
#include "danfe/danfe_error.h"
#include "danfe/danfe_pdf.h"
#include "danfe/invoice_reader.h"
#include "files/atomic_file.h"

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

// The key names the PDF, so it must be nothing but a key: digits, with capital letters
// only where an alphanumeric CNPJ sits (characters 7 to 20).
bool IsKeyShaped(const std::string& key) {
    if (key.size() != 44) {
        return false;
    }
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char c = key[i];
        const bool letterAllowed = i >= 6 && i < 20;
        if (!(c >= '0' && c <= '9') && !(letterAllowed && c >= 'A' && c <= 'Z')) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::filesystem::path WriteDanfeFile(const std::filesystem::path& xmlFile,
                                     const std::filesystem::path& folder, bool cancelled) {
    const Invoice invoice = ReadInvoice(ReadWhole(xmlFile));
    if (!IsKeyShaped(invoice.key)) {
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
        throw Error(std::string("O PDF não pôde ser gravado: ") + error.what());
    }
    return file;
}

}  // namespace danfe
