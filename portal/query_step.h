#pragma once

#include <optional>
#include <string_view>

#include "portal/portal_addresses.h"

namespace portal {

// What the program does when a page has finished loading, chosen by the page's address.
enum class QueryStep {
    ShowCaptcha,      // consultation page
    PrintFromViewer,  // result viewer: on to the print page
    PrintFromResult,  // result page: overlay, picture cleared, on to the print page
    CapturePage,      // print page
    NotFound,         // not-found page
    WrongCaptcha,     // wrong-captcha return
    PortalError,      // any other address
};

// The whole address is compared exactly, letter case and escapes included, against the
// portal's pages in a fixed order; the first equal one decides. The consultation page reached
// over HTTPS or written in other letters is an unknown page like any other. So is a page the
// server answered with an HTTP error, whatever its address: a submission refused with status
// 500 stays at the consultation page's address but holds the server's error text.
QueryStep StepForPage(const PortalAddresses& addresses, std::string_view location,
                      std::optional<int> httpErrorStatus);

}  // namespace portal
