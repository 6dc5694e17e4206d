#include "sample/dfe/distribution_server.h"

#include <httplib.h>
#include <openssl/ssl.h>

#include <stdexcept>

#include "dfe/holder_identity.h"
#include "sample/dfe/event_reception.h"
#include "sample/serving/loopback.h"
#include "sample/serving/stop_signal.h"

namespace sample {
namespace {

// Refuses as a server does that does not accept the certificate's issuer: the client hears
// "bad certificate".
int RefuseEveryCertificate(int, X509_STORE_CTX* context) {
    X509_STORE_CTX_set_error(context, X509_V_ERR_CERT_REJECTED);
    return 0;
}

}  // namespace

struct DistributionServer::Impl {
    Impl(DistributionService& service, const ServerTls& tls, LogSink log)
        : service(service),
          events(service),
          log(std::move(log)),
          server([&tls, refuse = service.settings().fault ==
                                 DistributionFault::refuseCertificate](SSL_CTX& context) {
              if (SSL_CTX_use_certificate_chain_file(&context, tls.certificate.c_str()) != 1 ||
                  SSL_CTX_use_PrivateKey_file(&context, tls.key.c_str(), SSL_FILETYPE_PEM) != 1 ||
                  SSL_CTX_load_verify_locations(&context, tls.clientAuthorities.c_str(), nullptr) !=
                      1) {
                  return false;
              }
              // TLS 1.2 checks the client's certificate within the handshake; under TLS 1.3 a
              // refusal comes after it and races with the client's request.
              SSL_CTX_set_min_proto_version(&context, TLS1_2_VERSION);
              SSL_CTX_set_max_proto_version(&context, TLS1_2_VERSION);
              SSL_CTX_set_verify(&context, SSL_VERIFY_PEER | SSL_VERIFY_FAIL_IF_NO_PEER_CERT,
                                 refuse ? RefuseEveryCertificate : nullptr);
              return true;
          }) {}

    void Handle(const httplib::Request& request, httplib::Response& response);

    DistributionService& service;
    EventReception events;
    LogSink log;
    httplib::SSLServer server;
    bool bound = false;
    StopSignal stopping;
};

void DistributionServer::Impl::Handle(const httplib::Request& request,
                                      httplib::Response& response) {
    if (request.path != kDistributionPath && request.path != kEventPath) {
        response.status = 404;
        response.set_content("<html><body><h1>404 Not Found</h1></body></html>",
                             "text/html; charset=utf-8");
        log(request.method + " " + request.path + " 404");
        return;
    }
    if (!request.get_header_value("Content-Type").starts_with("application/soap+xml")) {
        response.status = 415;
        response.set_content("<html><body><h1>415 Unsupported Media Type</h1></body></html>",
                             "text/html; charset=utf-8");
        log(request.method + " " + request.path + " 415");
        return;
    }

    std::optional<dfe::Party> client;
    EVP_PKEY* clientKey = nullptr;
    if (request.ssl != nullptr) {
        if (X509* certificate = SSL_get0_peer_certificate(request.ssl)) {
            client = dfe::IdentityOf(certificate).party;
            clientKey = X509_get0_pubkey(certificate);
        }
    }
    ServiceReply reply = request.path == kEventPath ? events.Answer(request.body, client, clientKey)
                                                    : service.Answer(request.body, client);
    // Logged before the answer leaves, so that a client holding its answer finds the line.
    log(request.method + " " + request.path + " " + std::to_string(reply.status) + " " +
        reply.summary);
    if (!stopping.Hold(reply.delay)) {
        response.status = 503;
        return;
    }
    response.status = reply.status;
    response.set_content(reply.body, reply.contentType);
}

DistributionServer::DistributionServer(DistributionService& service, const ServerTls& tls,
                                       LogSink log)
    : impl_(std::make_unique<Impl>(service, tls, std::move(log))) {
    if (!impl_->server.is_valid()) {
        throw std::runtime_error("cannot load the server certificate \"" +
                                 tls.certificate.string() + "\", its key or the authorities \"" +
                                 tls.clientAuthorities.string() + "\"");
    }
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        try {
            impl_->Handle(request, response);
        } catch (const std::exception& error) {
            response.status = 500;
            response.set_content("<html><body><h1>500 Internal Server Error</h1></body></html>",
                                 "text/html; charset=utf-8");
            impl_->log(request.method + " " + request.path + " 500 (" + error.what() + ")");
        }
    };
    impl_->server.Post(".*", handler);
    impl_->server.Get(".*", handler);
}

DistributionServer::~DistributionServer() {
    Stop();
}

int DistributionServer::Bind(int port) {
    const int bound = BindOnLoopback(impl_->server, port);
    impl_->bound = true;
    return bound;
}

void DistributionServer::Serve() {
    if (impl_->bound) {
        impl_->server.listen_after_bind();
    }
}

bool DistributionServer::IsServing() const {
    return impl_->server.is_running();
}

void DistributionServer::Stop() {
    impl_->stopping.Raise();
    impl_->server.stop();
}

}  // namespace sample
