#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "sample/portal/catalogue.h"
#include "sample/portal/fault_mode.h"

namespace sample {

// What the portal remembers of one visitor between pages.
struct Session {
    // The text of the last security image shown; one submission uses it up.
    std::string captchaAnswer;
    // The invoice consulted last with the right captcha.
    std::string key;
    // How many times its file has been sent.
    int downloads = 0;
};

struct PortalRequest {
    std::string method;  // "GET" or "POST"
    std::string target;  // path and query as sent
    // Form fields, decoded (query fields may be among them).
    std::multimap<std::string, std::string> params;
    // Came to the HTTPS address of the download, with a client certificate that the sample
    // authority signed or without any.
    bool secure = false;
    bool clientCertificate = false;
};

struct PortalReply {
    int status = 200;
    std::string contentType = "text/html; charset=utf-8";
    std::string body;
    std::string location;        // where a redirect leads
    std::string attachmentName;  // the file name of a download
    std::chrono::seconds delay{0};
    // Announce the whole body, send its first half and drop the connection.
    bool breakOffHalfWay = false;
};

struct PortalSettings {
    // Applies to every query, whatever the key.
    FaultMode fault = FaultMode::none;
    // When not empty, the text of every security image.
    std::string testCaptcha;
    // A right answer leads to the result viewer rather than the result page.
    bool landOnResultViewer = false;
    std::chrono::seconds slowDelay{5};
    // When not empty ("https://127.0.0.1:PORT"), the download is served there only, to a client
    // that presents a certificate, as the real portal serves it.
    std::string downloadOrigin;
};

// The portal's full consultation as the program sees it: which page answers which request
// in which session. Not thread-safe: the server calls it under one lock.
class Portal {
public:
    Portal(Catalogue catalogue, PortalSettings settings, std::uint32_t seed);

    PortalReply Answer(const PortalRequest& request, Session& session);

    const Catalogue& catalogue() const { return catalogue_; }
    void SetDownloadOrigin(std::string origin) { settings_.downloadOrigin = std::move(origin); }

private:
    PortalReply Consultation(std::string_view target, std::string_view message, Session& session);
    PortalReply Submission(const PortalRequest& request, Session& session);
    PortalReply Result(const PortalRequest& request, const SampleInvoice& invoice);
    PortalReply PrintPage(const SampleInvoice& invoice);
    PortalReply Download(const PortalRequest& request, Session& session);
    FaultMode FaultOf(const SampleInvoice* invoice) const;
    std::string RandomBase64(std::size_t bytes);

    Catalogue catalogue_;
    PortalSettings settings_;
    std::mt19937 random_;
};

}  // namespace sample
