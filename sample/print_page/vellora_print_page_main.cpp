// vellora-print-page: writes the print page of a sample invoice to standard output, as HTML or
// as the page lines that the capture makes of it, for demonstrations and measurements.
//
//   vellora-print-page [--lines] NAME       a sample invoice by name (see --list)
//   vellora-print-page [--lines] --items N  an invoice of N items (1 to 990)
//   vellora-print-page --list

#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_page.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/print_page/print_page.h"

namespace {

constexpr const char* kUsage =
    "usage: vellora-print-page [--lines] NAME | [--lines] --items N | --list\n";

std::optional<nfe::TNFe> Invoice(const std::vector<std::string>& arguments, std::size_t at) {
    if (arguments[at] == "--items" && at + 1 < arguments.size()) {
        const int items = std::stoi(arguments[at + 1]);
        if (items >= 1 && items <= 990) {
            return sample::InvoiceWithItems(items);
        }
        return std::nullopt;
    }
    for (const sample::SampleDocument& document : sample::SampleDocuments()) {
        if (document.name == arguments[at]) {
            return document.build();
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        if (arguments.size() == 1 && arguments[0] == "--list") {
            for (const sample::SampleDocument& document : sample::SampleDocuments()) {
                std::cout << document.name << "  " << document.build().infNFe.ID << "  "
                          << document.description << "\n";
            }
            return 0;
        }
        const bool lines = !arguments.empty() && arguments[0] == "--lines";
        const std::size_t at = lines ? 1 : 0;
        const std::optional<nfe::TNFe> invoice =
            at < arguments.size() ? Invoice(arguments, at) : std::nullopt;
        if (!invoice) {
            std::cerr << kUsage;
            return 2;
        }
        const std::string page = sample::RenderPrintPage(*invoice);
        // Page lines are Windows-1252 with CR LF between them, as the conversion takes them.
        const std::string out =
            lines ? capture::JoinPageLines(capture::PageLinesFromDocument(page).value()) : page;
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "vellora-print-page: " << error.what() << "\n" << kUsage;
        return 2;
    }
}
