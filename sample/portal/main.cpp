#include <cstdio>
#include <iostream>
#include <random>
#include <string_view>
#include <vector>

#include "sample/portal/command_line.h"
#include "sample/portal/portal_addresses.h"
#include "sample/portal/portal_server.h"
#include "sample/portal/sample_invoices.h"

int main(int argc, char** argv) {
    try {
        const std::vector<std::string_view> arguments(argv + 1, argv + argc);
        const sample::Options options = sample::ParseCommandLine(arguments);
        if (options.help) {
            std::cout << sample::HelpText();
            return 0;
        }
        sample::Catalogue catalogue(sample::BundledSampleInvoices());
        if (options.list) {
            std::cout << sample::ListText(catalogue);
            return 0;
        }

        sample::PortalServer server(
            sample::Portal(std::move(catalogue), options.settings, std::random_device{}()),
            [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
        const int port = server.Bind(options.port);
        std::cout << port << std::endl;
        if (!options.downloadTls.empty()) {
            const int securePort = server.BindSecureDownload(options.downloadTls);
            std::cout << securePort << std::endl;
            std::cerr << "Download at https://127.0.0.1:" << securePort << sample::kDownloadPath
                      << ", for a client certificate" << std::endl;
        }
        std::cerr << "Sample portal at http://127.0.0.1:" << port << sample::kConsultationPage
                  << std::endl;
        server.Serve();
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "vellora-sample-portal: " << error.what() << std::endl;
        return 2;
    }
}
