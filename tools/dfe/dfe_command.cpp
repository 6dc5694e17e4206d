#include "tools/dfe/dfe_command.h"

#include <ostream>

#include "dfe/local_time.h"
#include "dfe/pkcs11_uri.h"
#include "dfe/token_certificate.h"
#include "tools/dfe/catalog_commands.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/printable.h"
#include "tools/dfe/route.h"

namespace tools {

namespace {

void PrintInfo(const dfe::CertificateInfo& info, const DfeContext& context) {
    context.out << "Titular: " << Printable(info.holder) << "\n";
    if (info.party) {
        context.out << (info.party->kind == dfe::Party::Kind::cnpj ? "CNPJ: " : "CPF: ")
                    << info.party->Formatted() << "\n";
    } else {
        context.out << "CNPJ/CPF: não encontrado no certificado\n";
    }
    context.out << "Emissor: " << Printable(info.issuer) << "\n"
                << "Validade: de " << dfe::LocalDateTimeText(info.validFrom) << " até "
                << dfe::LocalDateTimeText(info.validUntil) << "\n";
}

// The certificates on the tokens present that uri's attributes match; no PIN is needed to
// read them.
int ListTokenCertificates(const DfeArguments& arguments, const DfeContext& context) {
    const std::string module = Pkcs11ModuleFor(arguments.pkcs11Module, context);
    std::size_t shown = 0;
    try {
        const dfe::Pkcs11Uri wanted = dfe::ParsePkcs11Uri(arguments.certificate);
        for (const dfe::TokenCertificate& found : dfe::TokenCertificates(module)) {
            dfe::Pkcs11Uri only = found.Uri();
            if (!dfe::MatchesUri(found, wanted)) {
                continue;
            }
            context.out << (shown++ == 0 ? "" : "\n") << "Token: " << Printable(found.tokenLabel)
                        << " (" << Printable(found.manufacturer) << ", série "
                        << Printable(found.serial) << ")\n"
                        << "Objeto: " << Printable(found.object) << "\n";
            PrintInfo(dfe::InfoOf(found), context);
            context.out << "Endereço: " << Printable(only.Text()) << "\n";
        }
    } catch (const dfe::CertificateError& error) {
        throw CommandFailure(kFailed, error.what());
    }
    context.out << std::flush;
    if (shown == 0) {
        context.err << "Nenhum certificado foi encontrado nos tokens e cartões presentes (módulo "
                    << Printable(module)
                    << "). Verifique se o token está conectado (para um cartão, o leitor e o "
                       "serviço pcscd).\n";
        return kFailed;
    }
    return kDelivered;
}

}  // namespace

int RunCertificateCommand(const DfeArguments& arguments, const DfeContext& context) {
    if (dfe::IsPkcs11Uri(arguments.certificate)) {
        return ListTokenCertificates(arguments, context);
    }
    const dfe::CompanyCertificate certificate =
        OpenCertificate(arguments.certificate, arguments.passwordFile,
                        Pkcs11ModuleFor(arguments.pkcs11Module, context), context);
    PrintInfo(certificate.info(), context);
    context.out << std::flush;
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
            case DfeArguments::Command::manifest:
                return RunManifestCommand(parsed, context);
        }
    } catch (const CommandFailure& failure) {
        context.err << Printable(failure.what()) << "\n";
        return failure.status();
    }
    return kUsage;
}

}  // namespace tools
