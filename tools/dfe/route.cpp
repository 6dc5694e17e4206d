#include "tools/dfe/route.h"

#include <ostream>

#include "dfe/certificate_source.h"
#include "dfe/data_folder.h"
#include "dfe/error.h"
#include "dfe/pkcs11_uri.h"
#include "files/system_error_text.h"
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

std::string Pkcs11ModuleFor(const std::string& moduleOption, const DfeContext& context) {
    if (!moduleOption.empty()) {
        return moduleOption;
    }
    return dfe::Pkcs11ModuleOrDefault(context.variable("VELLORA_PKCS11_MODULE"));
}

dfe::CompanyCertificate OpenCertificate(const std::string& certificate,
                                        const std::string& passwordFile, const std::string& module,
                                        const DfeContext& context) {
    const bool onToken = dfe::IsPkcs11Uri(certificate);
    dfe::Secret password;
    try {
        // A URI names no file: it is checked before any PIN is asked.
        if (onToken) {
            dfe::ParsePkcs11Uri(certificate);
        }
        std::optional<dfe::Secret> kept = KeptPassword(certificate, passwordFile, context);
        password =
            kept ? std::move(*kept)
                 : CertificatePassword(passwordFile, context.variable("VELLORA_CERT_PASSWORD"),
                                       context.prompt, certificate);
    } catch (const std::runtime_error& error) {
        throw CommandFailure(kUsage, error.what());
    }
    try {
        return dfe::OpenCompanyCertificate(certificate, module, password);
    } catch (const dfe::CertificateError& error) {
        throw CommandFailure(
            kFailed, "O certificado \"" + certificate + "\" não pôde ser usado: " + error.what());
    }
}

Route OpenRoute(const DfeArguments& arguments, const DfeContext& context) {
    dfe::RouteSettings settings;
    settings.environment =
        arguments.homologation ? dfe::Environment::homologation : dfe::Environment::production;
    try {
        const char* otherUrl = context.variable("VELLORA_DFE_URL");
        settings.addresses =
            dfe::ServiceAddresses(settings.environment, otherUrl != nullptr ? otherUrl : "");
    } catch (const dfe::Error& error) {
        throw CommandFailure(kUsage, error.what());
    }
    settings.dataFolder =
        dfe::UserDataFolder(context.variable("XDG_DATA_HOME"), context.variable("HOME"));
    settings.extraAuthorities.assign(arguments.authorities.begin(), arguments.authorities.end());
    settings.connectTimeout = context.connectTimeout;
    settings.totalTimeout = context.totalTimeout;
    settings.authorState = arguments.authorState;
    settings.whileWaiting = [&context] {
        context.err << "Outra execução do vellora-dfe consulta para o mesmo CNPJ; "
                       "aguardando que ela termine..."
                    << std::endl;
    };

    const auto open = [&] {
        try {
            return dfe::OpenServiceRoute(
                OpenCertificate(arguments.certificate, arguments.passwordFile,
                                Pkcs11ModuleFor(arguments.pkcs11Module, context), context),
                std::move(settings), context.clock);
        } catch (const dfe::CertificateError& error) {
            throw CommandFailure(kFailed, "O certificado \"" + arguments.certificate +
                                              "\" não pôde ser usado: " + error.what());
        } catch (const dfe::Error& error) {
            throw CommandFailure(kFailed, Printable(error.what()));
        }
    };
    Route route{open(), {}};
    if (!route.record->notice().empty()) {
        context.err << Printable(route.record->notice()) << "\n";
    }

    try {
        std::filesystem::create_directories(arguments.outputFolder);
    } catch (const std::filesystem::filesystem_error& error) {
        throw CommandFailure(
            kFailed, "A pasta \"" + arguments.outputFolder +
                         "\" não pôde ser criada: " + files::SystemErrorText(error.code()) + ".");
    }
    route.keeper = OpenKeeper(arguments, route.party, context);
    return route;
}

}  // namespace tools
