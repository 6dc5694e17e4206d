#include "app/official_route.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "catalog/catalog.h"
#include "dfe/certificate_source.h"
#include "dfe/ciencia_event.h"
#include "dfe/ciencia_meaning.h"
#include "dfe/ciencia_registration.h"
#include "dfe/data_folder.h"
#include "dfe/error.h"
#include "dfe/local_time.h"
#include "dfe/service_route.h"
#include "files/atomic_file.h"
#include "files/system_error_text.h"

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
    return {std::nullopt, OneLine(std::move(reason)), {}};
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

constexpr const char* kStillSummary =
    "A Ciência da Operação está registrada, mas o serviço ainda entregou só o resumo: a NF-e "
    "completa pode levar algum tempo para ficar disponível.";

// Registers the Ciência of the request's key and keeps its event beside the invoice; returns
// why the key is not asked again, when it is not.
std::optional<RouteResult> RegisterCienciaOfKey(dfe::ServiceRoute& route,
                                                const RouteRequest& request,
                                                const dfe::Clock& clock,
                                                const std::filesystem::path& catalogFile,
                                                const std::function<bool()>& stopped) {
    std::optional<dfe::CienciaOutcome> outcome;
    try {
        dfe::RegisterCiencia(*route.events, route.certificate, route.environment, clock,
                             *route.record, {request.key},
                             [&outcome](const dfe::CienciaOutcome& o) { outcome = o; });
    } catch (const dfe::TransportError&) {
        if (!outcome || stopped()) {
            throw;
        }
    }
    if (stopped()) {
        return Failed(kRouteStopped);
    }
    if (!outcome) {
        return Failed("O serviço não respondeu sobre a Ciência da Operação.");
    }
    using Kind = dfe::CienciaOutcome::Kind;
    switch (outcome->kind) {
        case Kind::registered: {
            const auto file = request.outputFolder / dfe::CienciaFileName(request.key);
            files::WriteFileAtomically(file, outcome->processedEvent);
            Record(file, route.party, catalogFile, clock);
            return std::nullopt;
        }
        case Kind::alreadyRegistered:
            return std::nullopt;
        case Kind::unconfirmed:
            files::WriteFileAtomically(
                request.outputFolder / (request.key + "-210210-01-evento.xml"),
                outcome->signedEvent);
            return Failed(
                "Ciência da Operação não confirmada: o evento foi enviado, mas o serviço não "
                "respondeu; ela pode ter sido registrada.");
        case Kind::refusedBefore:
            return Failed("A Ciência da Operação não foi enviada: o serviço já a recusou antes (" +
                          std::to_string(outcome->cStat) +
                          "), e enviá-la de novo não muda a recusa.");
        case Kind::refused:
            break;
    }
    return Failed("O serviço recusou a Ciência da Operação: " + std::to_string(outcome->cStat) +
                  " " + outcome->xMotivo);
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
    service.pkcs11Module = dfe::Pkcs11ModuleOrDefault(Variable("VELLORA_PKCS11_MODULE"));
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
    if (const dfe::ReceivedDocument* invoice = dfe::FullInvoice(answer)) {
        const auto file = folder / (key + "-nfe.xml");
        files::WriteFileAtomically(file, invoice->xml);
        return {file, {}, {}};
    }
    return Failed(dfe::OnlySummary(answer)
                      ? "Só o resumo da NF-e: falta a Ciência da Operação do destinatário."
                      : "O serviço não trouxe a NF-e.");
}

RouteResult AskOfficialRoute(const RouteRequest& request, const dfe::Clock& clock) {
    try {
        const auto dataFolder =
            request.service.dataFolder
                ? *request.service.dataFolder
                : dfe::UserDataFolder(Variable("XDG_DATA_HOME"), Variable("HOME"));
        const auto catalogFile =
            request.service.catalogFile.value_or(dataFolder / "vellora.sqlite");
        dfe::RouteSettings settings;
        settings.addresses = dfe::ServiceAddresses(settings.environment, request.service.otherUrl);
        settings.dataFolder = dataFolder;
        settings.extraAuthorities = request.service.extraAuthorities;
        settings.connectTimeout = std::min(settings.connectTimeout, request.service.timeout);
        settings.totalTimeout = request.service.timeout;
        const auto stopped = [stop = request.stop] { return stop && stop->load(); };
        settings.stopRequested = stopped;
        // A person at the window does not wait for another run (vellora-dfe for the same
        // CNPJ base, which may take minutes): the portal takes over at once.
        settings.whileWaiting = [] {
            throw dfe::StateError(
                "Outra consulta ao serviço para o mesmo CNPJ está em andamento neste computador.");
        };
        dfe::ServiceRoute route = dfe::OpenServiceRoute(
            dfe::OpenCompanyCertificate(request.certificate, request.service.pkcs11Module,
                                        *request.password),
            std::move(settings), clock);

        if (request.registerCiencia) {
            if (auto refused = RegisterCienciaOfKey(route, request, clock, catalogFile, stopped)) {
                return *refused;
            }
        }
        const auto answer = route.session->ConsultKey(request.key);
        if (stopped()) {
            return Failed(kRouteStopped);
        }
        RouteResult result = ResultOfAnswer(answer, request.key, request.outputFolder);
        if (result.file) {
            Record(*result.file, route.party, catalogFile, clock);
        } else if (dfe::OnlySummary(answer)) {
            if (request.registerCiencia) {
                result.reason = kStillSummary;
            } else {
                result.cienciaMeaning =
                    OneLine(dfe::CienciaMeaning(route.certificate.info().holder, route.party));
            }
        }
        return result;
    } catch (const std::exception& error) {
        return Failed(files::ExceptionText(error));
    }
}

RouteResult AskOfficialRoute(const RouteRequest& request) {
    const dfe::SystemClock clock;
    return AskOfficialRoute(request, clock);
}

}  // namespace app
