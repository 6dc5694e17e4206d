#include "portal/webengine_browser.h"

#include "portal/credential_scope.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QPointer>
#include <QPushButton>
#include <QSslKey>
#include <QTimer>
#include <QWebEngineCertificateError>
#include <QWebEngineClientCertificateSelection>
#include <QWebEngineClientCertificateStore>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "capture/legacy_markup.h"
#include "portal/script_literal.h"
#include "portal/server_trust.h"

namespace portal {

class WebEngineBrowser::CookieMirror : public QNetworkCookieJar {
public:
    using QNetworkCookieJar::QNetworkCookieJar;

    bool Empty() const { return allCookies().isEmpty(); }
};

class WebEngineBrowser::Page : public QWebEnginePage {
public:
    Page(QWebEngineProfile* profile, WebEngineBrowser& browser)
        : QWebEnginePage(profile), browser_(browser) {
        connect(this, &QWebEnginePage::featurePermissionRequested, this,
                [this](const QUrl& origin, Feature feature) {
                    setFeaturePermission(origin, feature, PermissionDeniedByUser);
                });
    }

    bool ConfirmOpenBox() {
        if (!openBox_) {
            return false;
        }
        openBox_->button(QMessageBox::Ok)->click();
        return true;
    }

protected:
    void javaScriptAlert(const QUrl&, const QString& message) override {
        Announce(message);
        ShowBox(message, QMessageBox::Ok);
    }

    bool javaScriptConfirm(const QUrl&, const QString& message) override {
        Announce(message);
        return ShowBox(message, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }

    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override {
        return false;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override {}

    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

private:
    void Announce(const QString& message) {
        if (browser_.onShowMessage) {
            browser_.onShowMessage(message.toStdString());
        }
    }

    // The box is the page's own, so the program knows which box to answer for the person.
    int ShowBox(const QString& message, QMessageBox::StandardButtons buttons) {
        QMessageBox box(QMessageBox::Information, browser_.view_->window()->windowTitle(), message,
                        buttons, browser_.view_->window());
        box.setTextFormat(Qt::PlainText);
        openBox_ = &box;
        return box.exec();
    }

    WebEngineBrowser& browser_;
    QPointer<QMessageBox> openBox_;
};

WebEngineBrowser::WebEngineBrowser(QWidget* host, std::chrono::milliseconds scriptTimeout)
    : scriptTimeout_(scriptTimeout),
      // A profile without a storage name is kept in memory only.
      profile_(new QWebEngineProfile(host)),
      view_(new QWebEngineView(host)),
      page_(new Page(profile_, *this)),
      cookies_(new CookieMirror(profile_)) {
    page_->setParent(view_);
    // Nothing is ever kept in the cache, so every page and every captcha comes fresh from the
    // portal. (Clearing the cache while a page loads would stall that load.)
    profile_->setHttpCacheType(QWebEngineProfile::NoCache);
    auto* settings = page_->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, true);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    page_->setAudioMuted(true);
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    view_->setFocusPolicy(Qt::NoFocus);
    // Far beyond the right edge of the window, at the size of a desktop browser's page: the
    // person neither sees nor clicks it, while it stays shown, so its pages lay out as on a
    // screen, run their scripts and draw.
    view_->setGeometry(20000, 0, 1024, 768);

    auto* store = profile_->cookieStore();
    QObject::connect(store, &QWebEngineCookieStore::cookieAdded, cookies_,
                     [this](const QNetworkCookie& cookie) { cookies_->insertCookie(cookie); });
    QObject::connect(store, &QWebEngineCookieStore::cookieRemoved, cookies_,
                     [this](const QNetworkCookie& cookie) { cookies_->deleteCookie(cookie); });

    // The loading information comes right after loadFinished and, unlike it, tells an HTTP
    // error status apart from a page that could not be loaded at all.
    QObject::connect(page_, &QWebEnginePage::loadingChanged, page_,
                     [this](const QWebEngineLoadingInfo& loading) {
                         if (loading.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
                             return;
                         }
                         const bool httpError =
                             loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain &&
                             loading.errorCode() >= 400;
                         httpErrorStatus_ =
                             httpError ? std::optional(loading.errorCode()) : std::nullopt;
                         if (onDocumentComplete) {
                             onDocumentComplete();
                         }
                     });
    QObject::connect(page_, &QWebEnginePage::selectClientCertificate, page_,
                     [this](QWebEngineClientCertificateSelection selection) {
                         if (!presented_.isNull() &&
                             PresentsCertificateTo(selection.host(), portal_) &&
                             selection.certificates().contains(presented_)) {
                             selection.select(presented_);
                         } else {
                             selection.selectNone();
                         }
                     });
    QObject::connect(
        page_, &QWebEnginePage::certificateError, page_, [this](QWebEngineCertificateError error) {
            std::vector<std::string> chain;
            for (const auto& certificate : error.certificateChain()) {
                chain.push_back(certificate.toDer().toStdString());
            }
            if (error.type() == QWebEngineCertificateError::CertificateAuthorityInvalid &&
                !authorities_.empty() &&
                ChainTrusted(chain, error.url().host().toStdString(), authorities_)) {
                error.acceptCertificate();
            } else {
                error.rejectCertificate();
            }
        });
    QObject::connect(
        profile_, &QWebEngineProfile::downloadRequested, page_,
        [this](QWebEngineDownloadRequest* request) {
            if (onFileDownload && onFileDownload(request->url().toString().toStdString())) {
                request->cancel();
            } else {
                request->accept();
            }
        });
}

WebEngineBrowser::~WebEngineBrowser() {
    // The page must go before its profile.
    delete view_;
    delete profile_;
}

void WebEngineBrowser::Navigate(const std::string& address) {
    page_->load(QUrl(QString::fromStdString(address)));
}

std::string WebEngineBrowser::LocationUrl() {
    return RunScript(QStringLiteral("location.href")).toString().toStdString();
}

std::optional<int> WebEngineBrowser::HttpErrorStatus() {
    return httpErrorStatus_;
}

std::optional<std::string> WebEngineBrowser::BodyInnerHtml() {
    const auto html = RunScript(QStringLiteral("document.body ? document.body.innerHTML : null"));
    if (html.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return capture::LegacyMarkupOfBodyContent(html.toString().toStdString());
}

void WebEngineBrowser::SetElementValue(const std::string& name, const std::string& value) {
    WithElement(name, "element.value = " + ScriptStringLiteral(value) + ";");
}

void WebEngineBrowser::ClickElement(const std::string& name) {
    WithElement(name, "element.click();");
}

std::string WebEngineBrowser::Cookies(const std::string& address) {
    QStringList pairs;
    for (const auto& cookie : cookies_->cookiesForUrl(QUrl(QString::fromStdString(address)))) {
        pairs << QString::fromUtf8(cookie.toRawForm(QNetworkCookie::NameAndValueOnly));
    }
    return pairs.join(QStringLiteral("; ")).toStdString();
}

bool WebEngineBrowser::ConfirmMessage() {
    return page_->ConfirmOpenBox();
}

void WebEngineBrowser::ClearCache() {
    // The store deletes on another thread; a page requested before it is done would still
    // send the old session's cookies.
    profile_->cookieStore()->deleteAllCookies();
    if (cookies_->Empty()) {
        return;
    }
    QEventLoop loop;
    // The store takes milliseconds; the limit only keeps a lost notice from freezing the window.
    QTimer::singleShot(std::chrono::seconds(2), &loop, &QEventLoop::quit);
    QObject::connect(profile_->cookieStore(), &QWebEngineCookieStore::cookieRemoved, &loop,
                     [this, &loop] {
                         if (cookies_->Empty()) {
                             loop.quit();
                         }
                     });
    loop.exec();
}

void WebEngineBrowser::PresentCertificate(std::shared_ptr<const ClientCertificate> certificate,
                                          const PortalAddresses& portal) {
    portal_ = portal;
    const auto chain = QSslCertificate::fromData(QByteArray::fromStdString(certificate->chainPem));
    const auto pem = QByteArray::fromRawData(certificate->keyPem.view().data(),
                                             static_cast<qsizetype>(certificate->keyPem.size()));
    QSslKey key(pem, QSsl::Rsa);
    if (key.isNull()) {
        key = QSslKey(pem, QSsl::Ec);
    }
    if (chain.isEmpty() || key.isNull()) {
        return;
    }
    presented_ = chain.front();
    profile_->clientCertificateStore()->add(presented_, key);
}

void WebEngineBrowser::TrustAuthorities(std::vector<std::filesystem::path> authorities) {
    authorities_ = std::move(authorities);
}

void WebEngineBrowser::WithElement(const std::string& name, const std::string& action) {
    // The first element of the page whose id or name matches, in document order.
    const auto script =
        "(function (name) {"
        "  for (const element of document.all) {"
        "    if (element.id === name || element.getAttribute('name') === name) {"
        "      " +
        action +
        " return true;"
        "    }"
        "  }"
        "  return false;"
        "})(" +
        ScriptStringLiteral(name) + ")";
    if (!RunScript(QString::fromStdString(script)).toBool()) {
        throw BrowserError("O elemento \"" + name + "\" não está na página.");
    }
}

QVariant WebEngineBrowser::RunScript(const QString& script) {
    // The answer may come after the wait gave up, so it lands in shared storage.
    auto answer = std::make_shared<std::optional<QVariant>>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                         [answer, waiting](const QVariant& result) {
                             *answer = result;
                             if (waiting) {
                                 waiting->quit();
                             }
                         });
    if (!answer->has_value()) {
        QTimer::singleShot(scriptTimeout_, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!answer->has_value()) {
        throw BrowserError(kPageDidNotAnswer);
    }
    return **answer;
}

}  // namespace portal
