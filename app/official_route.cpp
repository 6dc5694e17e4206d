#include "app/official_route.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "catalog/catalog.h"
#include "dfe/certificate.h"
#include "dfe/curl_transport.h"
#include "dfe/data_folder.h"
#include "dfe/distribution_client.h"
#include "dfe/error.h"
#include "dfe/local_time.h"
#include "dfe/service_address.h"
#include "dfe/usage_record.h"
#include "files/atomic_file.h"

namespace app {

namespace {

// The reasons end in one line of the window: text from the service or the network must not
// break it.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }, ' ');
    return text;
}

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

constexpr const char* kRouteStopped = "A consulta ao serviço foi interrompida.";

RouteResult Failed(std::string reason) {
    return {std::nullopt, OneLine(std::move(reason))};
}

std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Records the written invoice in the catalogue. The file is there whatever happens here: a
// catalogue that cannot take it now leaves it for the next import (vellora-dfe notas importar).
void Record(const std::filesystem::path& file, const dfe::Party& party,
            const std::filesystem::path& catalogFile, const dfe::Clock& clock) {
    try {
        catalog::Catalog catalogue(catalogFile);
        const auto now =
            std::chrono::duration_cast<std::chrono::seconds>(clock.Now().time_since_epoch());
        catalogue.Record(catalog::ReadDocumentFacts(FileText(file)),
                         {party.number, std::nullopt,
                          std::filesystem::absolute(file).lexically_normal(), now.count()});
    } catch (const std::exception&) {
    }
}

}  // namespace

RouteService RouteService::FromEnvironment() {
    RouteService service;
    if (const char* url = Variable("VELLORA_DFE_URL")) {
        service.otherUrl = url;
    }
    if (const char* authority = Variable("VELLORA_DFE_CA")) {
        service.extraAuthorities.emplace_back(authority);
    }
    if (const char* catalogue = Variable("VELLORA_CATALOGO")) {
        service.catalogFile = catalogue;
    }
    return service;
}

RouteResult ResultOfAnswer(const dfe::KeyAnswer& answer, const std::string& key,
                           const std::filesystem::path& folder) {
    const std::string reply = std::to_string(answer.cStat) + " " + answer.xMotivo;
    if (answer.hold) {
        return Failed("Consultas suspensas até " + dfe::LocalDateTimeText(answer.hold->until) +
                      ": " + reply);
    }
    if (answer.cStat != dfe::kDocumentsFound) {
        return Failed("Recusada pelo serviço: " + reply);
    }
    const auto invoice = std::find_if(
        answer.documents.begin(), answer.documents.end(),
        [](const auto& document) { return document.kind == dfe::DocumentKind::invoice; });
    if (invoice != answer.documents.end()) {
        const auto file = folder / (key + "-nfe.xml");
        files::WriteFileAtomically(file, invoice->xml);
        return {file, {}};
    }
    const bool summary = std::any_of(
        answer.documents.begin(), answer.documents.end(),
        [](const auto& document) { return document.kind == dfe::DocumentKind::invoiceSummary; });
    return Failed(summary ? "Só o resumo da NF-e: falta a Ciência da Operação do destinatário."
                          : "O serviço não trouxe a NF-e.");
}

RouteResult AskOfficialRoute(const RouteRequest& request, const dfe::Clock& clock) {
    try {
        const auto environment = dfe::Environment::production;
        auto address = dfe::DistributionService(environment, request.service.otherUrl);
        const auto certificate =
            dfe::CompanyCertificate::ReadFile(request.certificate, *request.password);
        const dfe::Party party = certificate.party();
        certificate.CheckValidAt(clock.Now());

        const auto dataFolder =
            request.service.dataFolder
                ? *request.service.dataFolder
                : dfe::UserDataFolder(Variable("XDG_DATA_HOME"), Variable("HOME"));
        // A person at the window does not wait for another run (vellora-dfe for the same
        // CNPJ base, which may take minutes): the portal takes over at once.
        dfe::UsageRecord record(dataFolder, address.name, party, [] {
            throw dfe::StateError(
                "Outra consulta ao serviço para o mesmo CNPJ está em andamento neste computador.");
        });
        dfe::TlsSettings tls;
        tls.clientCertificatePem = certificate.CertificateChainPem();
        tls.clientKeyPem = certificate.PrivateKeyPem();
        tls.extraAuthorities = request.service.extraAuthorities;
        tls.connectTimeout = std::min(tls.connectTimeout, request.service.timeout);
        tls.totalTimeout = request.service.timeout;
        const auto stopped = [stop = request.stop] { return stop && stop->load(); };
        tls.stopRequested = stopped;
        dfe::CurlTransport transport(std::move(tls));
        dfe::DistributionClient client(transport, std::move(address));
        dfe::DistributionSession session(client, record, clock,
                                         dfe::SessionSettings{environment, std::nullopt, party});
        const auto answer = session.ConsultKey(request.key);
        if (stopped()) {
            return Failed(kRouteStopped);
        }
        RouteResult result = ResultOfAnswer(answer, request.key, request.outputFolder);
        if (result.file) {
            Record(*result.file, party,
                   request.service.catalogFile.value_or(dataFolder / "vellora.sqlite"), clock);
        }
        return result;
    } catch (const std::exception& error) {
        return Failed(error.what());
    }
}

RouteResult AskOfficialRoute(const RouteRequest& request) {
    const dfe::SystemClock clock;
    return AskOfficialRoute(request, clock);
}

}  // namespace app
