#include "sample/portal/command_line.h"

#include <stdexcept>

#include "sample/portal/captcha.h"
#include "sample/portal/portal_addresses.h"
#include "sample/serving/option_number.h"

namespace sample {

Options ParseCommandLine(std::span<const std::string_view> arguments) {
    Options options;
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
        } else if (option == "--fault") {
            const std::string_view name = value();
            const auto mode = FaultModeNamed(name);
            if (!mode) {
                throw std::invalid_argument("unknown fault mode \"" + std::string(name) +
                                            "\" (see --help)");
            }
            options.settings.fault = *mode;
        } else if (option == "--test-captcha") {
            const std::string_view text = value();
            if (!IsDrawableCaptchaText(text)) {
                throw std::invalid_argument("--test-captcha takes 1 to " +
                                            std::to_string(kMaxCaptchaLength) +
                                            " letters or digits");
            }
            options.settings.testCaptcha = text;
        } else if (option == "--result-viewer") {
            options.settings.landOnResultViewer = true;
        } else if (option == "--slow-seconds") {
            options.settings.slowDelay =
                std::chrono::seconds(OptionNumber(option, value(), 0, 3600));
        } else if (option == "--download-tls") {
            options.downloadTls = std::string(value());
        } else if (option == "--list") {
            options.list = true;
        } else if (option == "--help" || option == "-h") {
            options.help = true;
        } else {
            throw std::invalid_argument("unknown option \"" + std::string(option) +
                                        "\" (see --help)");
        }
    }
    return options;
}

std::string HelpText() {
    std::string text = R"(Usage: vellora-sample-portal [options]

A local stand-in for the national NF-e portal's full consultation, on 127.0.0.1, for
demonstrations and end-to-end tests of Vellora. It prints its port on the first line of
standard output and logs each request on one line to standard error.
The consultation page is http://127.0.0.1:PORT)";
    text += kConsultationPage;
    text += R"(

Options:
  --port N             listen on port N (default 8080); 0 picks a free port
  --fault MODE         every query shows the fault MODE (below)
  --test-captcha TEXT  every security image shows TEXT (for automated tests)
  --result-viewer      a right answer leads to the result viewer, not the result page
  --slow-seconds N     how long slow pages keep the browser waiting (default 5)
  --download-tls DIR   serve the download only over HTTPS on a second free port, printed
                       on the second line, to a client with a certificate that DIR/ca.pem
                       signed (DIR/server.pem, DIR/server-key.pem: as vellora-sample-dfe
                       --certificates DIR makes them)
  --list               print the sample keys and what each one shows
  --help               print this text

Fault modes (those marked * can also be chosen by consulting their key, see --list):
)";
    for (const FaultModeInfo& info : FaultModes()) {
        std::string name(info.name);
        name.resize(17, ' ');
        text += "  ";
        text += name;
        text += info.chosenByKey ? "* " : "  ";
        text += info.description;
        text += '\n';
    }
    return text;
}

std::string ListText(const Catalogue& catalogue) {
    std::string text;
    for (const SampleInvoice& invoice : catalogue.Invoices()) {
        text += invoice.key + "  " + invoice.layout + "  " + invoice.description + "\n";
    }
    return text;
}

}  // namespace sample
