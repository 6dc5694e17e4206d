#include "app/connection_state.h"

#include <gtest/gtest.h>

namespace app {
namespace {

using Reachability = QNetworkInformation::Reachability;

TEST(ConnectionState, TheSystemsServiceDecidesWhenItKnows) {
    EXPECT_EQ(ConnectedByReachability(Reachability::Unknown), std::nullopt);
    EXPECT_EQ(ConnectedByReachability(Reachability::Disconnected), false);
    // A local network counts, as the portal may lie behind the office's proxy.
    for (const auto reachability :
         {Reachability::Local, Reachability::Site, Reachability::Online}) {
        EXPECT_EQ(ConnectedByReachability(reachability), true);
    }
}

TEST(ConnectionState, OtherwiseAnInterfaceThatIsUpRunningNotLoopbackWithAnAddress) {
    const InterfaceFacts connected{true, true, false, true};
    const InterfaceFacts loopback{true, true, true, true};
    const InterfaceFacts down{false, false, false, true};
    const InterfaceFacts cableOut{true, false, false, true};
    const InterfaceFacts noAddress{true, true, false, false};
    EXPECT_TRUE(AnyInterfaceConnected({loopback, connected}));
    EXPECT_FALSE(AnyInterfaceConnected({loopback, down, cableOut, noAddress}));
    EXPECT_FALSE(AnyInterfaceConnected({}));
}

TEST(ConnectionState, APortalOnThisMachineNeedsNoNetwork) {
    struct Case {
        const char* origin;
        bool local;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8080", true},  {"http://localhost:8080", true},
        {"http://LOCALHOST", true},       {"http://[::1]:8080", true},
        {"http://127.8.0.1", true},       {"http://www.nfe.fazenda.gov.br", false},
        {"http://192.0.2.1:8080", false}, {"http://localhost.example", false},
    };
    for (const auto& c : cases) {
        const auto addresses = portal::PortalAddresses::FromOrigins(c.origin, "https://h");
        EXPECT_EQ(PortalOnThisMachine(addresses), c.local) << c.origin;
        if (c.local) {
            EXPECT_TRUE(SystemConnectionState(addresses)()) << c.origin;
        }
    }
}

}  // namespace
}  // namespace app
