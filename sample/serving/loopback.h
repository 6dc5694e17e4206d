#pragma once

namespace httplib {
class Server;
}

namespace sample {

// Binds server to 127.0.0.1:port and returns the port; port 0 picks a free one. Throws
// std::runtime_error when the port cannot be had.
int BindOnLoopback(httplib::Server& server, int port);

}  // namespace sample
