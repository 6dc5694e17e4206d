#include "tools/dfe/dfe_command.h"

#include <ostream>

#include "dfe/local_time.h"
#include "tools/dfe/catalog_commands.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/printable.h"
#include "tools/dfe/route.h"

namespace tools {

int RunCertificateCommand(const DfeArguments& arguments, const DfeContext& context) {
    const dfe::A1Certificate certificate =
        OpenCertificate(arguments.certificate, arguments.passwordFile, context);
    const dfe::CertificateInfo& info = certificate.info();
    context.out << "Titular: " << Printable(info.holder) << "\n";
    if (info.party) {
        context.out << (info.party->kind == dfe::Party::Kind::cnpj ? "CNPJ: " : "CPF: ")
                    << info.party->Formatted() << "\n";
    } else {
        context.out << "CNPJ/CPF: não encontrado no certificado\n";
    }
    context.out << "Emissor: " << Printable(info.issuer) << "\n"
                << "Validade: de " << dfe::LocalDateTimeText(info.validFrom) << " até "
                << dfe::LocalDateTimeText(info.validUntil) << "\n"
                << std::flush;
    try {
        certificate.party();
        certificate.CheckValidAt(context.clock.Now());
    } catch (const dfe::CertificateError& error) {
        context.err << error.what() << "\n";
        return kFailed;
    }
    return kDelivered;
}

int RunDfeCommand(const std::vector<std::string>& arguments, const DfeContext& context) {
    if (!arguments.empty() && IsCatalogCommand(arguments.front())) {
        return RunCatalogCommand(arguments, context);
    }
    DfeArguments parsed;
    try {
        parsed = ParseDfeArguments(arguments);
    } catch (const DfeUsageError& error) {
        context.err << "vellora-dfe: " << error.what() << "\n"
                    << DfeUsage() << "\nUse --help para ver a ajuda.\n";
        return kUsage;
    }
    if (parsed.help) {
        context.out << DfeHelp();
        return kDelivered;
    }
    if (parsed.version) {
        context.out << DfeVersionLine();
        return kDelivered;
    }
    try {
        if (!parsed.company.empty()) {
            UseCompany(parsed, context);
        }
        switch (parsed.command) {
            case DfeArguments::Command::certificate:
                return RunCertificateCommand(parsed, context);
            case DfeArguments::Command::keys:
                return RunKeyCommand(parsed, context);
            case DfeArguments::Command::newDocuments:
                return RunNewDocumentsCommand(parsed, context);
            case DfeArguments::Command::ciencia:
                return RunCienciaCommand(parsed, context);
        }
    } catch (const CommandFailure& failure) {
        context.err << Printable(failure.what()) << "\n";
        return failure.status();
    }
    return kUsage;
}

}  // namespace tools
