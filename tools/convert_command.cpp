#include "tools/convert_command.h"

#include <exception>
#include <ostream>

#include "convert/convert_page_text.h"
#include "convert/page_lines_file.h"
#include "tools/convert_arguments.h"

namespace tools {
namespace {

// Batches larger than this report their progress.
constexpr std::size_t kQuietBatch = 10;

}  // namespace

int RunConvertCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err) {
    ConvertArguments parsed;
    try {
        parsed = ParseConvertArguments(arguments);
    } catch (const UsageError& error) {
        err << "vellora-convert: " << error.what() << "\n"
            << kConvertUsage << "\nUse --help para ver a ajuda.\n";
        return 2;
    }
    if (parsed.help) {
        out << kConvertHelp;
        return 0;
    }

    convert::ConversionSettings settings;
    settings.outputFolder = parsed.outputFolder;
    const std::size_t total = parsed.pages.size();
    const bool showProgress = total > kQuietBatch;
    std::size_t failed = 0;
    for (std::size_t i = 0; i < total; ++i) {
        const std::string& page = parsed.pages[i];
        if (showProgress) {
            err << "[" << i + 1 << "/" << total << "] " << page << "\n" << std::flush;
        }
        try {
            const std::filesystem::path written =
                convert::ConvertPageText(convert::ReadPageLinesFile(page), settings);
            out << written.string() << "\n" << std::flush;
        } catch (const std::exception& error) {
            ++failed;
            err << page << ": Erro ao importar a NF-e. " << error.what() << "\n" << std::flush;
        }
    }
    if (showProgress) {
        err << total - failed << " de " << total << " páginas convertidas\n";
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace tools
