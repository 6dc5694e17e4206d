#include "convert/invoice_file.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <system_error>

#include "files/system_error_text.h"
#include "nfe/cnpj.h"
#include "nfe/conversion_error.h"
#include "nfe/nfe_writer.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace convert {
namespace {

constexpr std::size_t kKeyLength = 44;

// The writer completes the identifier to "NFe" and the 44 key characters, or composes one
// from the header when the page's key is not valid; when neither works there is no name to
// give. The name takes only digits and capital letters.
std::string KeyOfIdentifier(std::string_view identifier) {
    const std::string_view key = identifier.size() > kKeyLength
                                     ? identifier.substr(identifier.size() - kKeyLength)
                                     : identifier;
    const bool readable = std::all_of(
        key.begin(), key.end(), [](char c) { return text::IsDigit(c) || nfe::IsCapitalLetter(c); });
    if (key.size() != kKeyLength || !readable) {
        throw nfe::ConversionError("A NF-e não tem uma chave de acesso de 44 caracteres: \"" +
                                   std::string(identifier) + "\"");
    }
    return std::string(key);
}

void CreateFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw nfe::ConversionError("Não foi possível criar a pasta \"" + folder.string() +
                                   "\": " + files::SystemErrorText(error) + ".");
    }
}

}  // namespace

std::filesystem::path OutputFolder(const ConversionSettings& settings) {
    const std::string_view folder = text::Trim(settings.outputFolder);
    if (folder.empty()) {
        return settings.executableFolder / "xml";
    }
    return std::filesystem::path(folder);
}

std::filesystem::path WriteInvoiceFile(nfe::TNFe& nfe, const ConversionSettings& settings) {
    nfe::TNFeW writer(nfe);
    writer.GerarXml();
    const std::string key = KeyOfIdentifier(nfe.infNFe.ID);

    const std::filesystem::path folder = OutputFolder(settings);
    CreateFolder(folder);
    const std::filesystem::path path = folder / (key + "-nfe.xml");
    writer.Gerador.SalvarArquivo(path, nfe::fgXML);
    return path;
}

}  // namespace convert
