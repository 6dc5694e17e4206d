#include "dfe/curl_transport.h"

#include <curl/curl.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

namespace dfe {
namespace {

// An answer larger than this is not the service's: fifty documents of a few megabytes.
constexpr std::size_t kMaxAnswerBytes = 256u << 20;

struct X509Free {
    void operator()(X509* certificate) const { X509_free(certificate); }
};
using Certificate = std::unique_ptr<X509, X509Free>;

void InitialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            throw Error("A biblioteca libcurl não pôde ser iniciada.");
        }
        // The client's key and the extra authorities go into OpenSSL's own objects.
        const curl_version_info_data* version = curl_version_info(CURLVERSION_NOW);
        if (version->ssl_version == nullptr ||
            std::strncmp(version->ssl_version, "OpenSSL", 7) != 0) {
            throw Error("A libcurl desta máquina não usa o OpenSSL (instale libcurl4-openssl).");
        }
    });
}

std::vector<Certificate> ReadAuthorities(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string pem{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
        throw Error("O arquivo de autoridades certificadoras \"" + file.string() +
                    "\" não pôde ser lido.");
    }
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(
        BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())), BIO_free);
    std::vector<Certificate> certificates;
    while (X509* certificate = PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr)) {
        certificates.emplace_back(certificate);
    }
    ERR_clear_error();
    if (certificates.empty()) {
        throw Error("O arquivo \"" + file.string() +
                    "\" não traz nenhum certificado de autoridade no formato PEM.");
    }
    return certificates;
}

bool Contains(const char* text, const char* part) {
    return std::strstr(text, part) != nullptr;
}

}  // namespace

struct CurlTransport::Impl {
    TlsSettings settings;
    std::vector<Certificate> authorities;
    CURL* curl = nullptr;
    char errorText[CURL_ERROR_SIZE] = {};
    std::string received;

    static CURLcode PrepareContext(CURL*, void* sslContext, void* self) {
        auto* context = static_cast<SSL_CTX*>(sslContext);
        const Impl& impl = *static_cast<Impl*>(self);
        X509_STORE* store = SSL_CTX_get_cert_store(context);
        for (const Certificate& authority : impl.authorities) {
            // An authority that the system already trusts is refused as a duplicate: harmless.
            X509_STORE_add_cert(store, authority.get());
        }
        ERR_clear_error();
        if (const auto& client = impl.settings.clientCertificate) {
            bool ready = SSL_CTX_use_certificate(context, client->certificate()) == 1 &&
                         SSL_CTX_use_PrivateKey(context, client->privateKey()) == 1;
            for (X509* authority : client->Authorities()) {
                ready = ready && SSL_CTX_add1_chain_cert(context, authority) == 1;
            }
            if (!ready) {
                ERR_clear_error();
                return CURLE_SSL_CERTPROBLEM;
            }
        }
        return CURLE_OK;
    }

    static int Progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        const auto& stop = static_cast<Impl*>(self)->settings.stopRequested;
        return stop && stop() ? 1 : 0;
    }

    static std::size_t Receive(char* data, std::size_t size, std::size_t count, void* self) {
        std::string& received = static_cast<Impl*>(self)->received;
        const std::size_t bytes = size * count;
        if (received.size() + bytes > kMaxAnswerBytes) {
            return 0;  // makes libcurl stop with a write error
        }
        received.append(data, bytes);
        return bytes;
    }

    TransportError Failure(CURLcode code, const std::string& url) const;
};

TransportError CurlTransport::Impl::Failure(CURLcode code, const std::string& url) const {
    const std::string detail = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
    using Kind = TransportError::Kind;
    switch (code) {
        case CURLE_PEER_FAILED_VERIFICATION:
            return {Kind::serverNotTrusted,
                    "O certificado do servidor de " + url +
                        " não passou na verificação, e a conexão foi recusada (" + detail + ")."};
        case CURLE_OPERATION_TIMEDOUT:
            return {Kind::timedOut,
                    "O serviço em " + url + " não respondeu a tempo (" +
                        std::to_string(settings.totalTimeout.count()) +
                        (settings.totalTimeout.count() == 1 ? " segundo)." : " segundos).")};
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT:
            return {Kind::unreachable, "Não foi possível conectar a " + url + " (" + detail +
                                           "). Verifique a conexão com a Internet."};
        case CURLE_WRITE_ERROR:
            return {Kind::other, "A resposta de " + url + " passou de " +
                                     std::to_string(kMaxAnswerBytes >> 20) +
                                     " MB e foi abandonada."};
        case CURLE_ABORTED_BY_CALLBACK:
            return {Kind::other, "A consulta a " + url + " foi interrompida."};
        case CURLE_SSL_CERTPROBLEM:
            return {Kind::other,
                    "O certificado digital não pôde ser usado na conexão (" + detail + ")."};
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
            // A server that refuses the client's certificate says so with an alert; under
            // TLS 1.3 it comes after the handshake, on the first read.
            if (Contains(detail.c_str(), "alert") &&
                (Contains(detail.c_str(), "certificate") ||
                 Contains(detail.c_str(), "unknown ca") ||
                 Contains(detail.c_str(), "handshake failure") ||
                 Contains(detail.c_str(), "access denied"))) {
                return {Kind::certificateRefused,
                        "O servidor de " + url +
                            " recusou o certificado digital na conexão segura (" + detail + ")."};
            }
            return {Kind::other, "A conexão segura com " + url + " falhou (" + detail + ")."};
        default:
            return {Kind::other, "A comunicação com " + url + " falhou (" + detail + ")."};
    }
}

CurlTransport::CurlTransport(TlsSettings settings) : impl_(std::make_unique<Impl>()) {
    InitialiseCurl();
    impl_->settings = std::move(settings);
    for (const std::filesystem::path& file : impl_->settings.extraAuthorities) {
        for (Certificate& certificate : ReadAuthorities(file)) {
            impl_->authorities.push_back(std::move(certificate));
        }
    }
    impl_->curl = curl_easy_init();
    if (impl_->curl == nullptr) {
        throw Error("A biblioteca libcurl não pôde ser iniciada.");
    }

    CURL* curl = impl_->curl;
    const TlsSettings& tls = impl_->settings;
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, impl_->errorText);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(tls.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(tls.totalTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    // The extra authorities, and a certificate given as OpenSSL's objects, are added to each
    // connection's own context, never to a store that libcurl keeps between connections.
    curl_easy_setopt(curl, CURLOPT_CA_CACHE_TIMEOUT, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, &Impl::PrepareContext);
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, impl_.get());

    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Impl::Receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, impl_.get());
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    if (tls.stopRequested) {
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Impl::Progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, impl_.get());
    }
}

CurlTransport::~CurlTransport() {
    curl_easy_cleanup(impl_->curl);
}

HttpAnswer CurlTransport::Post(const std::string& url, std::string_view body,
                               std::string_view contentType) {
    CURL* curl = impl_->curl;
    impl_->received.clear();
    impl_->errorText[0] = '\0';

    const std::string contentHeader = "Content-Type: " + std::string(contentType);
    curl_slist* headers = curl_slist_append(nullptr, contentHeader.c_str());
    headers = curl_slist_append(headers, "Expect:");
    const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(
        headers, curl_slist_free_all);

    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));

    const CURLcode result = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    if (result != CURLE_OK) {
        throw impl_->Failure(result, url);
    }

    HttpAnswer answer;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
    char* type = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type);
    answer.contentType = type != nullptr ? type : "";
    answer.body = std::move(impl_->received);
    impl_->received.clear();
    return answer;
}

}  // namespace dfe
