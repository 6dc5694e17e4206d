#include "dfe/service_address.h"

#include "dfe/error.h"

namespace dfe {

namespace {

constexpr std::string_view kEventPath = "/NFeRecepcaoEvento4/NFeRecepcaoEvento4.asmx";

}  // namespace

ServiceAddress EventService(Environment environment, const std::string& otherUrl) {
    ServiceAddress address = DistributionService(environment, otherUrl);
    if (otherUrl.empty()) {
        address.url = std::string(environment == Environment::production
                                      ? "https://www.nfe.fazenda.gov.br"
                                      : "https://hom1.nfe.fazenda.gov.br") +
                      std::string(kEventPath);
        return address;
    }
    const std::size_t path = address.url.find('/', std::string_view("https://").size());
    address.url = address.url.substr(0, path) + std::string(kEventPath);
    return address;
}

ServiceAddress DistributionService(Environment environment, const std::string& otherUrl) {
    const bool production = environment == Environment::production;
    ServiceAddress address;
    address.name = production ? "producao" : "homologacao";
    if (otherUrl.empty()) {
        address.url = production ? "https://www1.nfe.fazenda.gov.br/NFeDistribuicaoDFe/"
                                   "NFeDistribuicaoDFe.asmx"
                                 : "https://hom1.nfe.fazenda.gov.br/NFeDistribuicaoDFe/"
                                   "NFeDistribuicaoDFe.asmx";
        return address;
    }

    constexpr std::string_view kScheme = "https://";
    if (!otherUrl.starts_with(kScheme) || otherUrl.size() == kScheme.size()) {
        throw Error("O endereço do serviço \"" + otherUrl +
                    "\" não é um endereço https://: o serviço só é consultado por conexão segura.");
    }
    address.url = otherUrl;
    const std::string host =
        otherUrl.substr(kScheme.size(), otherUrl.find('/', kScheme.size()) - kScheme.size());
    address.name += '-';
    for (const char c : host.substr(0, 100)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-';
        address.name += plain ? c : '-';
    }
    return address;
}

}  // namespace dfe
