#include <chrono>
#include <ostream>

#include "dfe/certificate_source.h"
#include "dfe/local_time.h"
#include "dfe/pkcs11_uri.h"
#include "tools/dfe/catalog_commands.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/certificate_validity.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/printable.h"
#include "tools/dfe/route.h"

namespace tools {
namespace {

std::int64_t Seconds(dfe::Time moment) {
    return std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
}

int AddCompany(const CatalogArguments& arguments, const DfeContext& context) {
    // A token's PIN is asked by each command and kept nowhere, unless a password file is
    // named for it.
    const bool onToken = dfe::IsPkcs11Uri(arguments.certificate);
    const bool keepInSecrets = arguments.passwordFile.empty() && !onToken;
    if (keepInSecrets && context.secrets == nullptr) {
        throw CommandFailure(kFailed,
                             "Não há cofre de senhas do sistema (Secret Service) e "
                             "--senha-arquivo não foi dado: a senha do certificado não "
                             "teria onde ficar. Nada foi cadastrado.");
    }
    if (!arguments.passwordFile.empty()) {
        RequirePrivatePasswordFile(arguments.passwordFile);
    }
    const std::string certificateFile = CertificateName(arguments.certificate);
    dfe::Secret password;
    try {
        // A URI names no file: it is checked before any PIN is asked.
        if (onToken) {
            dfe::ParsePkcs11Uri(arguments.certificate);
        }
        password =
            CertificatePassword(arguments.passwordFile, context.variable("VELLORA_CERT_PASSWORD"),
                                context.prompt, arguments.certificate);
    } catch (const std::runtime_error& error) {
        throw CommandFailure(kUsage, error.what());
    }
    std::optional<dfe::CompanyCertificate> certificate;
    dfe::Party party;
    try {
        certificate = dfe::OpenCompanyCertificate(
            certificateFile, Pkcs11ModuleFor(arguments.pkcs11Module, context), password);
        party = certificate->party();
    } catch (const dfe::CertificateError& error) {
        throw CommandFailure(kFailed, "O certificado \"" + arguments.certificate +
                                          "\" não pôde ser usado: " + error.what() +
                                          " Nada foi cadastrado.");
    }
    const std::unique_ptr<catalog::Catalog> catalogue = OpenCatalog(arguments.catalogFile, context);
    if (keepInSecrets && !context.secrets->Save(certificateFile, password)) {
        throw CommandFailure(kFailed,
                             "O cofre de senhas do sistema (Secret Service) não guardou "
                             "a senha: ele não está disponível ou está bloqueado. Use "
                             "--senha-arquivo num servidor sem ele. Nada foi cadastrado.");
    }
    catalog::Company company;
    company.cnpj = party.number;
    company.holder = certificate->info().holder;
    company.certificate = certificateFile;
    company.homologation = arguments.homologation;
    company.folder = std::filesystem::absolute(arguments.folder.empty()
                                                   ? DefaultDocumentsFolder(context)
                                                   : std::filesystem::path(arguments.folder))
                         .lexically_normal();
    if (!arguments.passwordFile.empty()) {
        company.passwordFile = std::filesystem::absolute(arguments.passwordFile).lexically_normal();
    }
    company.validUntil = Seconds(certificate->info().validUntil);
    company.added = Seconds(context.clock.Now());
    if (const auto known = catalogue->FindCompany(company.cnpj)) {
        company.added = known->added;
        company.lastSynchronised = known->lastSynchronised;
    }
    catalogue->SaveCompany(company);
    context.out << "Empresa " << party.Formatted() << " (" << Printable(company.holder)
                << ") cadastrada; documentos em " << (company.folder / company.cnpj).string()
                << "\n";
    if (onToken && arguments.passwordFile.empty()) {
        context.out << "O PIN do token não foi guardado: cada comando o pede no terminal, ou o "
                       "lê de --senha-arquivo ou VELLORA_CERT_PASSWORD.\n";
    }
    WarnOfExpiry(company, context);
    return kDelivered;
}

int RemoveCompany(const CatalogArguments& arguments, const DfeContext& context) {
    const auto party = TypedParty(arguments.operands.front());
    if (!party) {
        throw CommandFailure(
            kUsage, "\"" + Printable(arguments.operands.front()) + "\" não é um CNPJ válido.");
    }
    if (!OpenCatalog(arguments.catalogFile, context)->RemoveCompany(party->number)) {
        throw CommandFailure(kFailed, "A empresa " + party->Formatted() + " não está cadastrada.");
    }
    context.out << "Empresa " << party->Formatted()
                << " removida do catálogo; os arquivos ficam onde estão.\n";
    return kDelivered;
}

int ListCompanies(const CatalogArguments& arguments, const DfeContext& context) {
    const std::vector<catalog::Company> companies =
        OpenCatalog(arguments.catalogFile, context)->Companies();
    if (companies.empty()) {
        context.err << "Nenhuma empresa cadastrada: vellora-dfe empresas adicionar --certificado "
                       "A1.pfx\n";
    }
    for (const catalog::Company& company : companies) {
        const dfe::Time until{std::chrono::seconds(company.validUntil)};
        context.out << dfe::PartyFromNumber(company.cnpj)->Formatted() << "  "
                    << Printable(company.holder) << (company.homologation ? "  (homologação)" : "")
                    << "\n  certificado: válido até " << dfe::LocalDateTimeText(until) << " ("
                    << DaysLeft(company, context.clock.Now()) << " dias)"
                    << "\n  pasta: " << (company.folder / company.cnpj).string()
                    << "\n  última sincronização: "
                    << (company.lastSynchronised
                            ? dfe::LocalDateTimeText(
                                  dfe::Time{std::chrono::seconds(*company.lastSynchronised)})
                            : std::string("nunca"))
                    << "\n";
        WarnOfExpiry(company, context);
    }
    return kDelivered;
}

}  // namespace

int RunCompaniesCommand(const CatalogArguments& arguments, const DfeContext& context) {
    if (arguments.action == "adicionar") {
        return AddCompany(arguments, context);
    }
    if (arguments.action == "remover") {
        return RemoveCompany(arguments, context);
    }
    return ListCompanies(arguments, context);
}

}  // namespace tools
