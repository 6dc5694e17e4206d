#pragma once

#include <QSslCertificate>
#include <chrono>
#include <memory>

#include "portal/browser.h"

class QWidget;
class QVariant;
class QString;
class QWebEngineProfile;
class QWebEngineView;

namespace portal {

// The browser over Qt WebEngine. Its view is a child of the host window, placed where the
// person cannot see it; its profile keeps nothing on disk. The browser opens no windows of its
// own, asks for no permission and plays no sound; script prompts are refused, alerts and
// confirms reach onShowMessage and then appear as the browser's own modal boxes over the host
// window.
class WebEngineBrowser : public Browser {
public:
    // A page that does not answer a script within scriptTimeout raises BrowserError with
    // kPageDidNotAnswer.
    explicit WebEngineBrowser(QWidget* host,
                              std::chrono::milliseconds scriptTimeout = std::chrono::seconds(10));
    ~WebEngineBrowser() override;

    void Navigate(const std::string& address) override;
    std::string LocationUrl() override;
    std::optional<int> HttpErrorStatus() override;
    std::optional<std::string> BodyInnerHtml() override;
    void SetElementValue(const std::string& name, const std::string& value) override;
    void ClickElement(const std::string& name) override;
    std::string Cookies(const std::string& address) override;
    bool ConfirmMessage() override;
    // Returns once the cookie store has reported every cookie gone (or after two seconds), so
    // that the next request cannot carry the old session.
    void ClearCache() override;
    void PresentCertificate(std::shared_ptr<const ClientCertificate> certificate,
                            const PortalAddresses& portal) override;
    // A site whose certificate leads to one of these authorities is trusted as the system's
    // would be (ChainTrusted); every other certificate error is refused.
    void TrustAuthorities(std::vector<std::filesystem::path> authorities) override;

    QWebEngineProfile* Profile() const { return profile_; }
    QWebEngineView* View() const { return view_; }

private:
    class Page;
    class CookieMirror;

    QVariant RunScript(const QString& script);
    void WithElement(const std::string& name, const std::string& action);

    std::chrono::milliseconds scriptTimeout_;
    QWebEngineProfile* profile_;
    QWebEngineView* view_;
    Page* page_;
    // A copy of the browser's cookies, kept up to date from its cookie store.
    CookieMirror* cookies_;
    std::optional<int> httpErrorStatus_;
    QSslCertificate presented_;
    PortalAddresses portal_;  // whose HTTPS host alone gets the certificate
    std::vector<std::filesystem::path> authorities_;
};

}  // namespace portal
