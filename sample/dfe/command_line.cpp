#include "sample/dfe/command_line.h"

#include <stdexcept>

#include "sample/dfe/distribution_server.h"
#include "sample/dfe/invoice_documents.h"
#include "sample/dfe/sample_certificates.h"
#include "sample/serving/option_number.h"

namespace sample {

DistributionOptions ParseDistributionCommandLine(std::span<const std::string_view> arguments) {
    DistributionOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        const auto value = [&]() -> std::string_view {
            if (i + 1 == arguments.size()) {
                throw std::invalid_argument(std::string(option) + " needs a value");
            }
            return arguments[++i];
        };

        if (option == "--port") {
            options.port = OptionNumber(option, value(), 0, 65535);
        } else if (option == "--certificates") {
            options.certificates = std::string(value());
        } else if (option == "--fault") {
            const std::string_view name = value();
            const auto fault = DistributionFaultNamed(name);
            if (!fault) {
                throw std::invalid_argument("unknown fault mode \"" + std::string(name) +
                                            "\" (see --help)");
            }
            options.settings.fault = *fault;
        } else if (option == "--burst") {
            options.settings.burst = OptionNumber(option, value(), 0, 1000);
        } else if (option == "--slow-seconds") {
            options.settings.slowDelay =
                std::chrono::seconds(OptionNumber(option, value(), 0, 3600));
        } else if (option == "--batch") {
            options.settings.batchSize =
                static_cast<std::size_t>(OptionNumber(option, value(), 1, 50));
        } else if (option == "--homologation") {
            options.settings.environment = dfe::Environment::homologation;
        } else if (option == "--list") {
            options.list = true;
        } else if (option == "--help" || option == "-h") {
            options.help = true;
        } else {
            throw std::invalid_argument("unknown option \"" + std::string(option) +
                                        "\" (see --help)");
        }
    }
    if (!options.help && !options.list && options.certificates.empty()) {
        throw std::invalid_argument("--certificates FOLDER is required (see --help)");
    }
    return options;
}

std::string DistributionHelpText() {
    std::string text = R"(Usage: vellora-sample-dfe --certificates FOLDER [options]

A local stand-in for the national environment's NF-e distribution service
(NFeDistribuicaoDFe), on 127.0.0.1 over HTTPS with mutual TLS, for demonstrations and
tests of vellora-dfe. It prints its port on the first line of standard output and logs
each request on one line to standard error. The service's address is
https://127.0.0.1:PORT)";
    text += kDistributionPath;
    text += R"(; beside it, at
https://127.0.0.1:PORT)";
    text += kEventPath;
    text += R"(, an event service takes the
recipient's manifestations (Ciência, Confirmação, Desconhecimento, Operação não
Realizada), checks their signature with the client's certificate, and after a Ciência or a
Confirmação hands the recipient the full invoice.

FOLDER holds the certificates: ca.pem (the authority that signed the others), server.pem
and server-key.pem (the server's), and company.pfx and company-legacy.pfx (the A1 of the
sample invoices' recipient, )";
    text += kSampleHolderName;
    text += ", CNPJ ";
    text += kSampleHolderCnpj;
    text += R"(, the second with old RC2-40 encryption). Those missing are made
with the openssl program, the A1 files with the password ")";
    text += kDemoPassword;
    text += R"(".

Options:
  --certificates FOLDER  the certificates (made when missing)
  --port N               listen on port N (default 8443); 0 picks a free port
  --fault MODE           every request meets the fault MODE (below)
  --burst N              requests answered before excessive-use refuses (default 3)
  --slow-seconds N       how long slow answers wait (default 5)
  --batch N              documents in one answer, 1 to 50 (default 50)
  --homologation         answer as the test environment (tpAmb 2), not production
  --list                 print the invoices and what the sample A1 gets for each
  --help                 print this text

Fault modes:
)";
    for (const DistributionFaultInfo& info : DistributionFaults()) {
        std::string name(info.name);
        name.resize(20, ' ');
        text += "  " + name + std::string(info.description) + "\n";
    }
    return text;
}

std::string DistributionListText(const std::vector<DistributedInvoice>& invoices) {
    std::string text;
    for (const DistributedInvoice& invoice : invoices) {
        const InvoiceFacts facts = ReadInvoiceFacts(invoice.xml());
        const std::string_view gets = facts.recipient != kSampleHolderCnpj ? "640    "
                                      : invoice.cienciaRegistered          ? "procNFe"
                                                                           : "resNFe ";
        text += invoice.key + "  " + std::string(gets) + "  " + invoice.description + "\n";
    }
    return text;
}

}  // namespace sample
