#pragma once

#include <optional>
#include <string_view>

#include "portal/portal_addresses.h"

namespace portal {

// What the program does when a page has finished loading, chosen by the page's address.
enum class PassoConsulta {
    MostrarCaptcha,          // consultation page
    ImprimirDoVisualizador,  // result viewer: on to the print page
    ImprimirDoResultado,     // result page: overlay, picture cleared, on to the print page
    CapturarPagina,          // print page
    NaoEncontrada,           // not-found page
    CaptchaInvalido,         // wrong-captcha return
    ErroDoPortal,            // any other address
};

// The whole address is compared exactly, letter case and escapes included, against the
// portal's pages in a fixed order; the first equal one decides. The consultation page reached
// over HTTPS or written in other letters is an unknown page like any other. So is a page the
// server answered with an HTTP error, whatever its address: a submission refused with status
// 500 stays at the consultation page's address but holds the server's error text.
PassoConsulta PassoDaPagina(const PortalAddresses& addresses, std::string_view location,
                            std::optional<int> httpErrorStatus);

}  // namespace portal
