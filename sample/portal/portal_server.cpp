#include "sample/portal/portal_server.h"

#include <httplib.h>
#include <openssl/ssl.h>

#include <mutex>
#include <stdexcept>
#include <thread>

#include "sample/portal/portal_addresses.h"
#include "sample/portal/portal_pages.h"
#include "sample/portal/session_store.h"
#include "sample/serving/loopback.h"
#include "sample/serving/stop_signal.h"

namespace sample {

struct PortalServer::Impl {
    Impl(Portal portal, LogSink log)
        : portal(std::move(portal)), sessions(std::random_device{}()), log(std::move(log)) {}

    void Handle(const httplib::Request& request, httplib::Response& response, bool secure);

    std::mutex mutex;  // guards portal and sessions
    Portal portal;
    SessionStore sessions;
    StopSignal stopping;

    bool bound = false;

    LogSink log;
    httplib::Server server;
    std::unique_ptr<httplib::SSLServer> secureServer;
    std::thread secureThread;
};

void PortalServer::Impl::Handle(const httplib::Request& request, httplib::Response& response,
                                bool secure) {
    PortalReply reply;
    std::string newSession;
    {
        const std::lock_guard lock(mutex);
        auto opened = sessions.Open(request.get_header_value("Cookie"));
        newSession = opened.newId;
        // The handshake has checked a certificate that came against the sample authority.
        const bool certificate =
            secure && request.ssl != nullptr && SSL_get0_peer_certificate(request.ssl) != nullptr;
        reply = portal.Answer({request.method,
                               request.target,
                               {request.params.begin(), request.params.end()},
                               secure,
                               certificate},
                              opened.session);
    }
    if (!stopping.Hold(reply.delay)) {
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

namespace {

// The answer of either server, and its line in the log.
template <typename Handle, typename Log>
void Answer(const httplib::Request& request, httplib::Response& response, const Handle& handle,
            const Log& log) {
    std::string failure;
    try {
        handle();
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
    log(line + failure);
}

}  // namespace

PortalServer::PortalServer(Portal portal, LogSink log)
    : impl_(std::make_unique<Impl>(std::move(portal), std::move(log))) {
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Answer(
            request, response, [&] { impl_->Handle(request, response, false); }, impl_->log);
    };
    impl_->server.Get(".*", handler);
    impl_->server.Post(".*", handler);
}

PortalServer::~PortalServer() {
    Stop();
}

int PortalServer::BindSecureDownload(const std::filesystem::path& folder) {
    const auto certificate = folder / "server.pem";
    const auto key = folder / "server-key.pem";
    const auto authority = folder / "ca.pem";
    impl_->secureServer = std::make_unique<httplib::SSLServer>([&](SSL_CTX& context) {
        if (SSL_CTX_use_certificate_chain_file(&context, certificate.c_str()) != 1 ||
            SSL_CTX_use_PrivateKey_file(&context, key.c_str(), SSL_FILETYPE_PEM) != 1 ||
            SSL_CTX_load_verify_locations(&context, authority.c_str(), nullptr) != 1) {
            return false;
        }
        // The certificate is asked for within the handshake; a client without one still gets
        // the portal's refusal page.
        SSL_CTX_set_min_proto_version(&context, TLS1_2_VERSION);
        SSL_CTX_set_max_proto_version(&context, TLS1_2_VERSION);
        SSL_CTX_set_verify(&context, SSL_VERIFY_PEER, nullptr);
        return true;
    });
    if (!impl_->secureServer->is_valid()) {
        throw std::runtime_error("cannot load the certificates in \"" + folder.string() + "\"");
    }
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Answer(
            request, response, [&] { impl_->Handle(request, response, true); },
            [this](const std::string& line) { impl_->log("https " + line); });
    };
    impl_->secureServer->Get(".*", handler);
    const int port = BindOnLoopback(*impl_->secureServer, 0);
    const std::lock_guard lock(impl_->mutex);
    impl_->portal.SetDownloadOrigin("https://127.0.0.1:" + std::to_string(port));
    return port;
}

int PortalServer::Bind(int port) {
    const int bound = BindOnLoopback(impl_->server, port);
    impl_->bound = true;
    return bound;
}

void PortalServer::Serve() {
    if (impl_->secureServer && !impl_->secureThread.joinable()) {
        impl_->secureThread = std::thread([this] { impl_->secureServer->listen_after_bind(); });
    }
    if (impl_->bound) {
        impl_->server.listen_after_bind();
    }
}

bool PortalServer::IsServing() const {
    return impl_->server.is_running();
}

void PortalServer::Stop() {
    impl_->stopping.Raise();
    impl_->server.stop();
    if (impl_->secureServer) {
        impl_->secureServer->stop();
    }
    if (impl_->secureThread.joinable()) {
        impl_->secureThread.join();
    }
}

}  // namespace sample
