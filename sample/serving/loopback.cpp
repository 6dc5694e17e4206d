#include "sample/serving/loopback.h"

#include <httplib.h>

#include <stdexcept>
#include <string>

namespace sample {

int BindOnLoopback(httplib::Server& server, int port) {
    static constexpr const char* kHost = "127.0.0.1";
    const int bound =
        port == 0 ? server.bind_to_any_port(kHost) : (server.bind_to_port(kHost, port) ? port : -1);
    if (bound <= 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    }
    return bound;
}

}  // namespace sample
