#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

#include "sample/dfe/command_line.h"
#include "sample/dfe/distribution_server.h"
#include "sample/dfe/sample_certificates.h"

int main(int argc, char** argv) {
    try {
        const std::vector<std::string_view> arguments(argv + 1, argv + argc);
        const sample::DistributionOptions options = sample::ParseDistributionCommandLine(arguments);
        if (options.help) {
            std::cout << sample::DistributionHelpText();
            return 0;
        }
        std::vector<sample::DistributedInvoice> invoices = sample::SampleDistributedInvoices();
        if (options.list) {
            std::cout << sample::DistributionListText(invoices);
            return 0;
        }

        sample::SampleCertificates files = sample::SampleCertificatesIn(options.certificates);
        if (!std::filesystem::exists(files.authority) || !std::filesystem::exists(files.a1) ||
            !std::filesystem::exists(files.alphanumericCarrierA1)) {
            files = sample::MakeSampleCertificates(options.certificates, sample::kDemoPassword);
            std::cerr << "Made the sample certificates in " << options.certificates
                      << "; the A1 password is \"" << sample::kDemoPassword << "\"." << std::endl;
        }

        sample::DistributionService service(std::move(invoices), options.settings);
        sample::DistributionServer server(
            service, {files.server, files.serverKey, files.authority},
            [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
        const int port = server.Bind(options.port);
        std::cout << port << std::endl;
        std::cerr << "Sample distribution service at https://127.0.0.1:" << port
                  << sample::kDistributionPath << std::endl;
        server.Serve();
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "vellora-sample-dfe: " << error.what() << std::endl;
        return 2;
    }
}
