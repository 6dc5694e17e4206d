#pragma once

#include <QUrl>

#include "portal/portal_addresses.h"

namespace portal {

// Where the company's certificate and the portal's cookies may go: to the portal's own host
// only (the host of its HTTP or HTTPS origin, whatever the port, as cookies go; the sample
// portal's when the environment points at it), never to another host that asks for a
// client certificate, that a page sends a download to, or that a download is redirected to.

// Whether address is an http or https address on the portal's host.
bool IsPortalHost(const QUrl& address, const PortalAddresses& portal);

// Whether the certificate is presented to a server that asks for a client certificate,
// named by its host and port as the browser names it.
bool PresentsCertificateTo(const QUrl& hostAndPort, const PortalAddresses& portal);

// Whether a download's redirect from one address to another is followed: only on the same
// host and never from https down to http, so that nothing the request carries leaves it.
bool FollowsRedirect(const QUrl& from, const QUrl& to);

}  // namespace portal
