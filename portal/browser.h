#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "portal/client_certificate.h"
#include "portal/portal_addresses.h"

namespace portal {

// Raised by the browser's operations: a form element that is not on the page, a page that
// does not answer a script in time.
class BrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one text the program shows when the portal's page stops answering.
inline constexpr const char* kPageDidNotAnswer =
    "A página do portal não respondeu. Tente novamente.";

// The embedded browser as the rest of the program sees it. Texts are UTF-8. The synchronous
// operations let pending window events run while they wait for the page, so other handlers
// may run in the middle of them, as they do in every wait of this program.
class Browser {
public:
    virtual ~Browser() = default;

    // Starts loading and returns at once; onDocumentComplete follows when the page is there.
    virtual void Navigate(const std::string& address) = 0;

    // The top-level address exactly as the page holds it: escapes such as "%3d" keep their
    // letter case.
    virtual std::string LocationUrl() = 0;

    // The HTTP status of the page on show when the server answered it with an error (400 and
    // above); nullopt when it came with success. The page itself, the server's error text, is
    // shown all the same and keeps the address that was asked for.
    virtual std::optional<int> HttpErrorStatus() = 0;

    // The markup inside the body, with capital tag names and the line breaks between block
    // elements that the page lines depend on; nullopt while the page has no body yet.
    virtual std::optional<std::string> BodyInnerHtml() = 0;

    // Sets "value" of, or clicks, the first element whose name or id is `name`. A missing
    // element throws BrowserError. The value reaches the page as data, never as script.
    virtual void SetElementValue(const std::string& name, const std::string& value) = 0;
    virtual void ClickElement(const std::string& name) = 0;

    // The browser's cookies for an address as one Cookie header ("a=1; b=2"), so that a
    // request made outside the browser stays in the portal's session.
    virtual std::string Cookies(const std::string& address) = 0;

    // Presses OK on the script message box that the page has open, as if the person had; false
    // when the page has none open. Other boxes of the program are never touched.
    virtual bool ConfirmMessage() = 0;

    // Drops every cached page and every cookie, so that the next page and its captcha are
    // fetched anew in a fresh portal session.
    virtual void ClearCache() = 0;

    // The company's certificate, presented when the portal's own HTTPS host asks for a client
    // certificate; any other host gets none, and so does every host until it is given one.
    virtual void PresentCertificate(std::shared_ptr<const ClientCertificate> certificate,
                                    const PortalAddresses& portal) = 0;
    // Authorities trusted besides the system's for the sites' own certificates.
    virtual void TrustAuthorities(std::vector<std::filesystem::path> authorities) = 0;

    // Raised once per completed page load; the handler reads the address itself.
    std::function<void()> onDocumentComplete;
    // A script message box (alert or confirm) is about to be shown with this text; the
    // browser then shows it as its own modal box, which ConfirmMessage can answer.
    std::function<void(const std::string& text)> onShowMessage;
    // The page starts a download of this address (after redirections). Returning true means
    // the program has taken care of it and the browser downloads nothing.
    std::function<bool(const std::string& address)> onFileDownload;
};

}  // namespace portal
