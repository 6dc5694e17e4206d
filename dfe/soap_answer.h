#pragma once

#include <string>
#include <string_view>

#include "dfe/error.h"
#include "dfe/transport.h"

namespace dfe {

// Whether an HTTP answer carries XML (a SOAP answer or fault) rather than an error page.
bool LooksLikeXml(const HttpAnswer& answer);

// The service's answer read with parse. A SOAP fault comes with status 500, and its text says
// more than the status does, so only an answer that is not XML counts as an error page:
// "<service> respondeu com uma página de erro (HTTP …) em vez da resposta <expected>.". A
// parse failure of an answer whose status was not 200 names that status.
template <typename Parse>
auto ReadSoapAnswer(const HttpAnswer& http, std::string_view service, std::string_view expected,
                    Parse parse) {
    if (http.status != 200 && !LooksLikeXml(http)) {
        throw AnswerError(std::string(service) + " respondeu com uma página de erro (HTTP " +
                          std::to_string(http.status) + ", " +
                          (http.contentType.empty() ? "sem tipo" : http.contentType) +
                          ") em vez da resposta " + std::string(expected) + ".");
    }
    try {
        return parse(http.body);
    } catch (const AnswerError& error) {
        if (http.status == 200) {
            throw;
        }
        throw AnswerError(std::string(error.what()) + " (HTTP " + std::to_string(http.status) +
                          ")");
    }
}

}  // namespace dfe
