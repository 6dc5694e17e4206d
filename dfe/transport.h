#pragma once

#include <string>
#include <string_view>

#include "dfe/error.h"

namespace dfe {

struct HttpAnswer {
    long status = 0;
    std::string contentType;
    std::string body;
};

// A failure to exchange a request with the service: nothing, or nothing whole, came back.
class TransportError : public Error {
public:
    enum class Kind {
        serverNotTrusted,    // the server's certificate did not pass the verification
        certificateRefused,  // the server refused the client's certificate at the handshake
        timedOut,
        unreachable,  // no connection to the host
        other,
    };
    TransportError(Kind kind, const std::string& message) : Error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Posts a request and brings its answer back, whatever its HTTP status.
class Transport {
public:
    virtual ~Transport() = default;
    // Throws TransportError.
    virtual HttpAnswer Post(const std::string& url, std::string_view body,
                            std::string_view contentType) = 0;
};

}  // namespace dfe
