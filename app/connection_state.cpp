#include "app/connection_state.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QUrl>
#include <algorithm>

namespace app {

namespace {

std::vector<InterfaceFacts> SystemInterfaces() {
    std::vector<InterfaceFacts> facts;
    for (const auto& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        facts.push_back(
            {flags.testFlag(QNetworkInterface::IsUp), flags.testFlag(QNetworkInterface::IsRunning),
             flags.testFlag(QNetworkInterface::IsLoopBack), !interface.addressEntries().isEmpty()});
    }
    return facts;
}

bool SystemConnected() {
    static const bool serviceLoaded =
        QNetworkInformation::loadDefaultBackend() ||
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    if (serviceLoaded && QNetworkInformation::instance() != nullptr) {
        if (const auto connected =
                ConnectedByReachability(QNetworkInformation::instance()->reachability())) {
            return *connected;
        }
    }
    return AnyInterfaceConnected(SystemInterfaces());
}

}  // namespace

std::optional<bool> ConnectedByReachability(QNetworkInformation::Reachability reachability) {
    switch (reachability) {
        case QNetworkInformation::Reachability::Unknown:
            return std::nullopt;
        case QNetworkInformation::Reachability::Disconnected:
            return false;
        case QNetworkInformation::Reachability::Local:
        case QNetworkInformation::Reachability::Site:
        case QNetworkInformation::Reachability::Online:
            return true;
    }
    return std::nullopt;
}

bool AnyInterfaceConnected(const std::vector<InterfaceFacts>& interfaces) {
    return std::any_of(interfaces.begin(), interfaces.end(), [](const InterfaceFacts& facts) {
        return facts.up && facts.running && !facts.loopback && facts.hasAddress;
    });
}

bool PortalOnThisMachine(const portal::PortalAddresses& addresses) {
    const auto host = QUrl(QString::fromStdString(addresses.httpOrigin)).host();
    return host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 ||
           QHostAddress(host).isLoopback();
}

std::function<bool()> SystemConnectionState(const portal::PortalAddresses& addresses) {
    if (PortalOnThisMachine(addresses)) {
        return [] { return true; };
    }
    return SystemConnected;
}

}  // namespace app
