#include "portal/credential_scope.h"

namespace portal {
namespace {

bool SameHost(const QUrl& a, const QUrl& b) {
    return !a.host().isEmpty() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0;
}

bool OnPortalHost(const QUrl& url, const PortalAddresses& portal) {
    return SameHost(url, QUrl(QString::fromStdString(portal.httpOrigin))) ||
           SameHost(url, QUrl(QString::fromStdString(portal.httpsOrigin)));
}

bool IsWeb(const QUrl& url) {
    return url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https");
}

}  // namespace

bool IsPortalHost(const QUrl& address, const PortalAddresses& portal) {
    return address.isValid() && IsWeb(address) && OnPortalHost(address, portal);
}

bool PresentsCertificateTo(const QUrl& hostAndPort, const PortalAddresses& portal) {
    return OnPortalHost(hostAndPort, portal);
}

bool FollowsRedirect(const QUrl& from, const QUrl& to) {
    const QUrl target = from.resolved(to);
    const bool downgrade =
        from.scheme() == QStringLiteral("https") && target.scheme() != QStringLiteral("https");
    return target.isValid() && IsWeb(target) && SameHost(from, target) && !downgrade;
}

}  // namespace portal
