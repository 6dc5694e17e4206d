#pragma once

#include <QNetworkInformation>
#include <functional>
#include <optional>
#include <vector>

#include "portal/portal_addresses.h"

namespace app {

// Whether this machine is connected to a network, as the system knows it: no question is ever
// sent to the portal for it, so a proxy, a slow name lookup or a busy portal cannot make the
// program believe it is offline.

// What the system says of one network interface.
struct InterfaceFacts {
    bool up = false;
    bool running = false;
    bool loopback = false;
    bool hasAddress = false;
};

// The system's connection-state service: nullopt when it does not know.
std::optional<bool> ConnectedByReachability(QNetworkInformation::Reachability reachability);

// Without that service: connected when an interface is up, running, not loopback and has an
// address.
bool AnyInterfaceConnected(const std::vector<InterfaceFacts>& interfaces);

// A portal served from this machine (a loopback host, as the sample portal is) needs no
// network.
bool PortalOnThisMachine(const portal::PortalAddresses& addresses);

// The question the window asks once a second: always true for a portal on this machine,
// otherwise the connection-state service where the system has one, else its interfaces.
std::function<bool()> SystemConnectionState(const portal::PortalAddresses& addresses);

}  // namespace app
