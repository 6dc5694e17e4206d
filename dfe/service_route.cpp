#include "dfe/service_route.h"

namespace dfe {

RouteAddresses ServiceAddresses(Environment environment, const std::string& otherUrl) {
    return {DistributionService(environment, otherUrl), EventService(environment, otherUrl)};
}

ServiceRoute OpenServiceRoute(A1Certificate certificate, RouteSettings settings,
                              const Clock& clock) {
    ServiceRoute route{std::move(certificate), {}, settings.environment, {}, {}, {}, {}, {}};
    route.party = route.certificate.party();
    route.certificate.CheckValidAt(clock.Now());

    route.record =
        std::make_unique<UsageRecord>(settings.dataFolder, settings.addresses.distribution.name,
                                      route.party, clock, settings.whileWaiting);
    TlsSettings tls;
    tls.clientCertificatePem = route.certificate.CertificateChainPem();
    tls.clientKeyPem = route.certificate.PrivateKeyPem();
    tls.extraAuthorities = std::move(settings.extraAuthorities);
    tls.connectTimeout = settings.connectTimeout;
    tls.totalTimeout = settings.totalTimeout;
    tls.stopRequested = std::move(settings.stopRequested);
    route.transport = std::make_unique<CurlTransport>(std::move(tls));

    route.events =
        std::make_unique<EventClient>(*route.transport, std::move(settings.addresses.events));
    route.client = std::make_unique<DistributionClient>(*route.transport,
                                                        std::move(settings.addresses.distribution));
    route.session = std::make_unique<DistributionSession>(
        *route.client, *route.record, clock,
        SessionSettings{settings.environment, settings.authorState, route.party});
    return route;
}

}  // namespace dfe
