#pragma once

#include <QUrl>

#include "portal/portal_addresses.h"

namespace portal {

// Where the company's certificate and the portal's cookies may go: to the portal's own
// origins only (the scheme, host and port of its HTTP or HTTPS origin; the sample portal's
// when the environment points at it), never to another host that asks for a client
// certificate, that a page sends a download to, or that a download is redirected to.

// Whether address is on one of the portal's two origins.
bool IsPortalOrigin(const QUrl& address, const PortalAddresses& portal);

// Whether the certificate is presented to a server that asks for a client certificate,
// named by its host and port as the browser names it: only the portal's HTTPS host is.
bool PresentsCertificateTo(const QUrl& hostAndPort, const PortalAddresses& portal);

// Whether a download's redirect from one address to another is followed: only within the
// same origin, so that nothing the request carries reaches another host.
bool FollowsRedirect(const QUrl& from, const QUrl& to);

}  // namespace portal
