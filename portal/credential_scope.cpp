#include "portal/credential_scope.h"

namespace portal {
namespace {

int PortOf(const QUrl& url) {
    return url.port(url.scheme().compare(QStringLiteral("https"), Qt::CaseInsensitive) == 0 ? 443
                                                                                            : 80);
}

bool SameOrigin(const QUrl& a, const QUrl& b) {
    return a.isValid() && b.isValid() && !a.host().isEmpty() &&
           a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && PortOf(a) == PortOf(b);
}

QUrl HttpsOrigin(const PortalAddresses& portal) {
    return QUrl(QString::fromStdString(portal.httpsOrigin));
}

}  // namespace

bool IsPortalOrigin(const QUrl& address, const PortalAddresses& portal) {
    return SameOrigin(address, QUrl(QString::fromStdString(portal.httpOrigin))) ||
           SameOrigin(address, HttpsOrigin(portal));
}

bool PresentsCertificateTo(const QUrl& hostAndPort, const PortalAddresses& portal) {
    const QUrl origin = HttpsOrigin(portal);
    return !hostAndPort.host().isEmpty() &&
           hostAndPort.host().compare(origin.host(), Qt::CaseInsensitive) == 0 &&
           hostAndPort.port(443) == origin.port(443);
}

bool FollowsRedirect(const QUrl& from, const QUrl& to) {
    return SameOrigin(from, from.resolved(to));
}

}  // namespace portal
