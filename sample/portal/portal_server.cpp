#include "sample/portal/portal_server.h"

#include <httplib.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "sample/portal/portal_addresses.h"
#include "sample/portal/portal_pages.h"
#include "sample/portal/session_store.h"

namespace sample {

struct PortalServer::Impl {
    Impl(Portal portal, LogSink log)
        : portal(std::move(portal)), sessions(std::random_device{}()), log(std::move(log)) {}

    void Handle(const httplib::Request& request, httplib::Response& response);
    // Holds a slow page back; false when the server is stopping meanwhile.
    bool Wait(std::chrono::seconds delay);

    std::mutex mutex;  // guards portal, sessions and stopping
    Portal portal;
    SessionStore sessions;
    bool stopping = false;
    std::condition_variable stopped;

    bool bound = false;

    LogSink log;
    httplib::Server server;
};

void PortalServer::Impl::Handle(const httplib::Request& request, httplib::Response& response) {
    PortalReply reply;
    std::string newSession;
    {
        const std::lock_guard lock(mutex);
        auto opened = sessions.Open(request.get_header_value("Cookie"));
        newSession = opened.newId;
        reply = portal.Answer(
            {request.method, request.target, {request.params.begin(), request.params.end()}},
            opened.session);
    }
    if (!Wait(reply.delay)) {
        response.status = 503;
        return;
    }

    response.status = reply.status;
    if (!newSession.empty()) {
        response.set_header("Set-Cookie",
                            std::string(kSessionCookie) + "=" + newSession + "; path=/; HttpOnly");
    }
    response.set_header("Cache-Control", "no-cache, no-store");
    if (!reply.location.empty()) {
        response.set_header("Location", reply.location);
    }
    if (!reply.attachmentName.empty()) {
        response.set_header("Content-Disposition",
                            "attachment; filename=\"" + reply.attachmentName + "\"");
    }
    if (reply.breakOffHalfWay) {
        auto body = std::make_shared<std::string>(std::move(reply.body));
        response.set_content_provider(
            body->size(), reply.contentType,
            [body](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                const std::size_t half = body->size() / 2;
                if (offset >= half) {
                    return false;  // drops the connection
                }
                sink.write(body->data() + offset, std::min(length, half - offset));
                return true;
            });
    } else {
        response.set_content(reply.body, reply.contentType);
    }
}

bool PortalServer::Impl::Wait(std::chrono::seconds delay) {
    std::unique_lock lock(mutex);
    stopped.wait_for(lock, delay, [this] { return stopping; });
    return !stopping;
}

PortalServer::PortalServer(Portal portal, LogSink log)
    : impl_(std::make_unique<Impl>(std::move(portal), std::move(log))) {
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        std::string failure;
        try {
            impl_->Handle(request, response);
        } catch (const std::exception& error) {
            response.status = 500;
            response.set_content(ServerErrorPage(), "text/html; charset=utf-8");
            failure = std::string(" (") + error.what() + ")";
        }
        // Logged before the answer leaves, so that a client holding its answer finds the line.
        std::string line =
            request.method + " " + request.target + " " + std::to_string(response.status);
        if (response.has_header("Location")) {
            line += " -> " + response.get_header_value("Location");
        }
        impl_->log(line + failure);
    };
    impl_->server.Get(".*", handler);
    impl_->server.Post(".*", handler);
}

PortalServer::~PortalServer() {
    Stop();
}

int PortalServer::Bind(int port) {
    static constexpr const char* kHost = "127.0.0.1";
    const int bound = port == 0 ? impl_->server.bind_to_any_port(kHost)
                                : (impl_->server.bind_to_port(kHost, port) ? port : -1);
    if (bound <= 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    }
    impl_->bound = true;
    return bound;
}

void PortalServer::Serve() {
    if (impl_->bound) {
        impl_->server.listen_after_bind();
    }
}

bool PortalServer::IsServing() const {
    return impl_->server.is_running();
}

void PortalServer::Stop() {
    {
        const std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->stopped.notify_all();
    impl_->server.stop();
}

}  // namespace sample
