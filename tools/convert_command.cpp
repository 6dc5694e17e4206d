#include "tools/convert_command.h"
#include "files/system_error_text.h"

#include <exception>
#include <ostream>

#include "capture/page_lines.h"
#include "convert/convert_page_text.h"
#include "text/windows1252.h"
#include "tools/convert_arguments.h"
#include "tools/exit_status.h"
#include "tools/page_file.h"
#include "vellora/version.h"

namespace tools {
namespace {

// Batches larger than this report their progress.
constexpr std::size_t kQuietBatch = 10;

// --lines: each page's lines as UTF-8 text, under a heading of its own when there are several.
int PrintPageLines(const std::vector<std::string>& pages, std::ostream& out, std::ostream& err) {
    std::size_t failed = 0;
    for (const std::string& page : pages) {
        try {
            const capture::PageLines lines = capture::SplitLines(ReadPageFile(page));
            if (pages.size() > 1) {
                out << "==> " << page << " <==\n";
            }
            for (const std::string& line : lines) {
                out << text::Windows1252ToUtf8(line) << "\n";
            }
            out << std::flush;
        } catch (const std::exception& error) {
            ++failed;
            err << page << ": " << files::ExceptionText(error) << "\n" << std::flush;
        }
    }
    return failed == 0 ? kDelivered : kFailed;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err) {
    ConvertArguments parsed;
    try {
        parsed = ParseConvertArguments(arguments);
    } catch (const UsageError& error) {
        err << "vellora-convert: " << error.what() << "\n"
            << kConvertUsage << "\nUse --help para ver a ajuda.\n";
        return kUsage;
    }
    if (parsed.help) {
        out << ConvertHelp();
        return kDelivered;
    }
    if (parsed.version) {
        out << "vellora-convert " << kVelloraVersion << "\n";
        return kDelivered;
    }
    if (parsed.lines) {
        return PrintPageLines(parsed.pages, out, err);
    }

    convert::ConversionSettings settings;
    settings.outputFolder = parsed.outputFolder;
    const std::size_t total = parsed.pages.size();
    const bool showProgress = total > kQuietBatch;
    std::size_t failed = 0;
    for (std::size_t i = 0; i < total; ++i) {
        const std::string& page = parsed.pages[i];
        settings.showNotice = [&](const std::string& notice) {
            err << page << ": " << notice << "\n" << std::flush;
        };
        if (showProgress) {
            err << "[" << i + 1 << "/" << total << "] " << page << "\n" << std::flush;
        }
        try {
            const std::filesystem::path written =
                convert::ConvertPageText(ReadPageFile(page), settings);
            out << written.string() << "\n" << std::flush;
        } catch (const std::exception& error) {
            ++failed;
            err << page << ": Erro ao importar a NF-e. " << files::ExceptionText(error) << "\n"
                << std::flush;
        }
    }
    if (showProgress) {
        err << total - failed << " de " << total << " páginas convertidas\n";
    }
    return failed == 0 ? kDelivered : kFailed;
}

}  // namespace tools
