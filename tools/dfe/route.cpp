#include "tools/dfe/route.h"

#include <ostream>

#include "dfe/data_folder.h"
#include "dfe/error.h"
#include "dfe/service_address.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/printable.h"

namespace tools {

KeyList KeysToAsk(const DfeArguments& arguments, const DfeContext& context) {
    KeyList list;
    try {
        list = CollectKeys(arguments.keys, arguments.keysFile);
    } catch (const std::runtime_error& error) {
        throw CommandFailure(kUsage, error.what());
    }
    for (const std::string& key : list.invalid) {
        context.err << Printable(key) << ": " << kWrongKeyMessage << "\n";
    }
    return list;
}

dfe::CompanyCertificate OpenCertificate(const std::string& file, const std::string& passwordFile,
                                   const DfeContext& context) {
    dfe::Secret password;
    try {
        std::optional<dfe::Secret> kept = KeptPassword(file, passwordFile, context);
        password =
            kept ? std::move(*kept)
                 : CertificatePassword(passwordFile, context.variable("VELLORA_CERT_PASSWORD"),
                                       context.prompt, file);
    } catch (const std::runtime_error& error) {
        throw CommandFailure(2, error.what());
    }
    try {
        return dfe::CompanyCertificate::ReadFile(file, password);
    } catch (const dfe::CertificateError& error) {
        throw CommandFailure(1,
                             "O certificado \"" + file + "\" não pôde ser usado: " + error.what());
    }
}

Route OpenRoute(const DfeArguments& arguments, const DfeContext& context) {
    dfe::ServiceAddress address;
    dfe::ServiceAddress eventAddress;
    const auto environment =
        arguments.homologation ? dfe::Environment::homologation : dfe::Environment::production;
    try {
        const char* otherUrl = context.variable("VELLORA_DFE_URL");
        address = dfe::DistributionService(environment, otherUrl != nullptr ? otherUrl : "");
        eventAddress = dfe::EventService(environment, otherUrl != nullptr ? otherUrl : "");
    } catch (const dfe::Error& error) {
        throw CommandFailure(2, error.what());
    }

    Route route{OpenCertificate(arguments.certificate, arguments.passwordFile, context),
                {},
                {},
                {},
                {},
                {},
                {},
                environment,
                {}};
    try {
        route.party = route.certificate.party();
        route.certificate.CheckValidAt(context.clock.Now());
    } catch (const dfe::CertificateError& error) {
        throw CommandFailure(1, "O certificado \"" + arguments.certificate +
                                    "\" não pôde ser usado: " + error.what());
    }

    try {
        std::filesystem::create_directories(arguments.outputFolder);
    } catch (const std::filesystem::filesystem_error& error) {
        throw CommandFailure(1, "A pasta \"" + arguments.outputFolder +
                                    "\" não pôde ser criada: " + error.code().message());
    }

    try {
        route.record = std::make_unique<dfe::UsageRecord>(
            dfe::UserDataFolder(context.variable("XDG_DATA_HOME"), context.variable("HOME")),
            address.name, route.party, [&context] {
                context.err << "Outra execução do vellora-dfe consulta para o mesmo CNPJ; "
                               "aguardando que ela termine..."
                            << std::endl;
            });
        if (!route.record->notice().empty()) {
            context.err << Printable(route.record->notice()) << "\n";
        }

        dfe::TlsSettings tls;
        tls.clientCertificatePem = route.certificate.CertificateChainPem();
        tls.clientKeyPem = route.certificate.PrivateKeyPem();
        tls.extraAuthorities.assign(arguments.authorities.begin(), arguments.authorities.end());
        tls.connectTimeout = context.connectTimeout;
        tls.totalTimeout = context.totalTimeout;
        route.transport = std::make_unique<dfe::CurlTransport>(std::move(tls));
    } catch (const dfe::Error& error) {
        throw CommandFailure(1, Printable(error.what()));
    }
    route.keeper = OpenKeeper(arguments, route.party, context);
    route.events = std::make_unique<dfe::EventClient>(*route.transport, std::move(eventAddress));
    route.client = std::make_unique<dfe::DistributionClient>(*route.transport, std::move(address));
    route.session = std::make_unique<dfe::DistributionSession>(
        *route.client, *route.record, context.clock,
        dfe::SessionSettings{environment, arguments.authorState, route.party});
    return route;
}

}  // namespace tools
