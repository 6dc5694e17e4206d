#include "sample/portal/portal.h"

#include <algorithm>

#include "nfe/access_key.h"
#include "sample/portal/base64.h"
#include "sample/portal/captcha.h"
#include "sample/portal/png_encoder.h"
#include "sample/portal/portal_addresses.h"
#include "sample/portal/portal_pages.h"
#include "text/ascii_case.h"

namespace sample {
namespace {

// A picture of one pixel in GIF: what a captcha in the wrong format carries.
constexpr std::string_view kTinyGif{
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00!\xF9\x04\x01\x00\x00\x00\x00,"
    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
    "D\x01\x00;",
    43};

constexpr std::string_view kPngDataPrefix = "data:image/png;base64,";

std::string_view PathOf(std::string_view address) {
    return address.substr(0, address.find('?'));
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A value of the address's query as it stands, undecoded.
std::string_view QueryValue(std::string_view target, std::string_view name) {
    const auto question = target.find('?');
    std::string_view query = question == std::string_view::npos ? "" : target.substr(question + 1);
    while (!query.empty()) {
        const auto end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        query = end == std::string_view::npos ? "" : query.substr(end + 1);
        if (pair.starts_with(name) && pair.substr(name.size()).starts_with('=')) {
            return pair.substr(name.size() + 1);
        }
    }
    return {};
}

std::string Param(const PortalRequest& request, std::string_view name) {
    const auto found = request.params.find(std::string(name));
    return found == request.params.end() ? std::string() : found->second;
}

PortalReply Page(int status, std::string body) {
    PortalReply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

// The answer of ASP.NET's redirect, body included.
PortalReply Redirect(std::string_view location) {
    PortalReply reply = Page(302,
                             "<html><head><title>Object moved</title></head><body>\n"
                             "<h2>Object moved to <a href=\"" +
                                 std::string(location) + "\">here</a>.</h2>\n</body></html>\n");
    reply.location = location;
    return reply;
}

}  // namespace

Portal::Portal(Catalogue catalogue, PortalSettings settings, std::uint32_t seed)
    : catalogue_(std::move(catalogue)), settings_(std::move(settings)), random_(seed) {}

PortalReply Portal::Answer(const PortalRequest& request, Session& session) {
    // Like the portal's web server, paths are matched without regard to letter case; only
    // the program compares whole addresses exactly.
    const std::string path = text::AsciiLowerCase(PathOf(request.target));
    const bool post = request.method == "POST";
    const SampleInvoice* consulted = catalogue_.Find(session.key);

    PortalReply reply;
    if (path == text::AsciiLowerCase(PathOf(kConsultationPage))) {
        if (post) {
            reply = Submission(request, session);
        } else {
            // The wrong-captcha return is the consultation page under its escaped address.
            const bool wrongCaptcha = text::AsciiLowerCase(request.target).ends_with("%3d");
            reply = Consultation(request.target,
                                 wrongCaptcha ? "Código da Imagem inválido. Tente novamente." : "",
                                 session);
        }
    } else if (path == text::AsciiLowerCase(PathOf(kResultPage)) ||
               path == text::AsciiLowerCase(kResultViewer)) {
        if (consulted == nullptr) {
            reply = Redirect(kConsultationPage);
        } else if (post && request.params.contains(std::string(kDownloadButton))) {
            reply = Redirect(settings_.downloadOrigin + std::string(kDownloadPath) +
                             "?chNFe=" + consulted->key);
        } else {
            reply = Result(request, *consulted);
        }
    } else if (path == text::AsciiLowerCase(PathOf(kPrintPage))) {
        reply = consulted == nullptr ? Redirect(kConsultationPage) : PrintPage(*consulted);
    } else if (path == text::AsciiLowerCase(kNotFoundPage)) {
        reply = Page(200, NotFoundPage());
    } else if (path == text::AsciiLowerCase(kMaintenancePage)) {
        reply = Page(503, MaintenancePage());
    } else if (path == text::AsciiLowerCase(kDownloadPath)) {
        reply = Download(request, session);
    } else {
        reply = Page(404, UnknownAddressPage());
    }

    if (settings_.fault == FaultMode::slowPages) {
        reply.delay = settings_.slowDelay;
    }
    return reply;
}

PortalReply Portal::Consultation(std::string_view target, std::string_view message,
                                 Session& session) {
    std::string dataAddress;
    if (settings_.fault == FaultMode::noCaptcha) {
        session.captchaAnswer.clear();
    } else {
        session.captchaAnswer =
            settings_.testCaptcha.empty() ? RandomCaptchaText(random_) : settings_.testCaptcha;
        dataAddress = kPngDataPrefix;
        dataAddress += EncodeBase64(settings_.fault == FaultMode::captchaNotPng
                                        ? kTinyGif
                                        : EncodePng(DrawCaptcha(session.captchaAnswer, random_)));
    }
    return Page(
        200, ConsultationPage(target, dataAddress, message, {RandomBase64(96), RandomBase64(48)}));
}

PortalReply Portal::Submission(const PortalRequest& request, Session& session) {
    const std::string expected = text::AsciiLowerCase(session.captchaAnswer);
    session.captchaAnswer.clear();
    if (expected.empty() ||
        text::AsciiLowerCase(Trimmed(Param(request, kCaptchaField))) != expected) {
        return Redirect(kWrongCaptchaReturn);
    }

    // People type the key in groups and in either case; the portal keeps its digits and
    // letters, in capitals.
    const SampleInvoice* invoice = catalogue_.Find(nfe::KeyCharacters(Param(request, kKeyField)));
    switch (FaultOf(invoice)) {
        case FaultMode::serverError:
            return Page(500, ServerErrorPage());
        case FaultMode::maintenance:
            return Redirect(kMaintenancePage);
        default:
            break;
    }
    if (invoice == nullptr) {
        return Redirect(kNotFoundPage);
    }
    session.key = invoice->key;
    session.downloads = 0;
    return Redirect(settings_.landOnResultViewer ? kResultViewer : kResultPage);
}

PortalReply Portal::Result(const PortalRequest& request, const SampleInvoice& invoice) {
    PortalReply reply =
        Page(200, ResultPage(request.target, invoice, {RandomBase64(96), RandomBase64(48)}));
    if (FaultOf(&invoice) == FaultMode::slowPages) {
        reply.delay = settings_.slowDelay;
    }
    return reply;
}

PortalReply Portal::PrintPage(const SampleInvoice& invoice) {
    const FaultMode fault = FaultOf(&invoice);
    PortalReply reply =
        Page(200, fault == FaultMode::vanishingBody ? WithVanishingBody(invoice.printPage())
                                                    : invoice.printPage());
    if (fault == FaultMode::slowPages) {
        reply.delay = settings_.slowDelay;
    }
    return reply;
}

PortalReply Portal::Download(const PortalRequest& request, Session& session) {
    if (!settings_.downloadOrigin.empty() && !request.secure) {
        return Page(404, UnknownAddressPage());
    }
    if (request.secure && !request.clientCertificate) {
        return Page(403, CertificateRequiredPage());
    }
    const SampleInvoice* invoice = catalogue_.Find(QueryValue(request.target, "chNFe"));
    const FaultMode fault = FaultOf(invoice);
    // The file belongs to the session that consulted the invoice. The download-404 fault lets
    // the browser's own request through, so that the browser sees a download, and refuses the
    // program's request that follows it.
    if (invoice == nullptr || invoice->key != session.key ||
        (fault == FaultMode::downloadMissing && session.downloads > 0)) {
        return Page(404, UnknownAddressPage());
    }
    ++session.downloads;
    PortalReply reply;
    reply.contentType = "application/xml";
    reply.attachmentName = invoice->key + ".xml";
    if (fault != FaultMode::downloadEmpty) {
        reply.body = invoice->xml();
    }
    reply.breakOffHalfWay = fault == FaultMode::downloadBroken;
    return reply;
}

FaultMode Portal::FaultOf(const SampleInvoice* invoice) const {
    if (settings_.fault != FaultMode::none || invoice == nullptr) {
        return settings_.fault;
    }
    return invoice->fault;
}

std::string Portal::RandomBase64(std::size_t bytes) {
    std::string raw;
    for (std::size_t i = 0; i < bytes; ++i) {
        raw += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random_));
    }
    return EncodeBase64(raw);
}

}  // namespace sample
