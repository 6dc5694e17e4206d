#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace portal {

// The portal's pages, recognised by comparing the whole address exactly. The scheme and host
// come from two origins, "http://host[:port]" and "https://host[:port]".
struct PortalAddresses {
    std::string httpOrigin;
    std::string httpsOrigin;
    std::string consultationPage;
    std::string wrongCaptchaReturn;  // the consultation page with "=" escaped as "%3d"
    std::string resultPage;
    std::string resultViewer;
    std::string printPage;
    std::string notFoundPage;  // the only page served over HTTPS
    // Authorities (PEM files) trusted besides the system's for the portal's HTTPS pages: a
    // sample portal's own.
    std::vector<std::filesystem::path> trustedAuthorities;

    static PortalAddresses FromOrigins(std::string_view httpOrigin, std::string_view httpsOrigin);

    // VELLORA_PORTAL_HTTP and VELLORA_PORTAL_HTTPS, defaulting to the national portal, and
    // VELLORA_PORTAL_CA, a PEM file of authorities, when set.
    static PortalAddresses FromEnvironment();
};

}  // namespace portal
