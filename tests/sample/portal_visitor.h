#pragma once

// A client of the sample portal that keeps the session cookie, as a browser does, and follows
// no redirect; for the tests of the portal's server and program.

#include <httplib.h>

#include <chrono>
#include <string>
#include <string_view>

#include "sample/portal/portal_addresses.h"

namespace sample {

class PortalVisitor {
public:
    explicit PortalVisitor(int port) : client_("127.0.0.1", port) {
        client_.set_connection_timeout(std::chrono::seconds(5));
        client_.set_read_timeout(std::chrono::seconds(20));
    }

    httplib::Result Get(std::string_view target) {
        return Keep(client_.Get(std::string(target), Cookie()));
    }
    httplib::Result Post(std::string_view target, const httplib::Params& fields) {
        return Keep(client_.Post(std::string(target), Cookie(), fields));
    }
    // Submits key and captcha through the consultation page's form; returns where it leads,
    // empty when it leads nowhere.
    std::string Submit(const std::string& key, const std::string& captcha) {
        const auto reply = Post(kConsultationPage, SubmissionFields(key, captcha));
        return reply && reply->status == 302 ? reply->get_header_value("Location") : "";
    }
    static httplib::Params SubmissionFields(const std::string& key, const std::string& captcha) {
        return {{std::string(kKeyField), key},
                {std::string(kCaptchaField), captcha},
                {std::string(kSubmitButton), "Continuar"}};
    }

    const std::string& cookie() const { return cookie_; }

private:
    httplib::Headers Cookie() const {
        return cookie_.empty() ? httplib::Headers{} : httplib::Headers{{"Cookie", cookie_}};
    }
    httplib::Result Keep(httplib::Result result) {
        if (result && result->has_header("Set-Cookie")) {
            const std::string value = result->get_header_value("Set-Cookie");
            cookie_ = value.substr(0, value.find(';'));
        }
        return result;
    }

    httplib::Client client_;
    std::string cookie_;
};

}  // namespace sample
