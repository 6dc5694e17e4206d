#pragma once

#include <QString>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/dialogs.h"
#include "app/window_state.h"
#include "convert/convert_page_text.h"
#include "portal/browser.h"
#include "portal/portal_addresses.h"

namespace app {

// The window around the query, as the query drives it: the state of every control, and the
// captcha box and picture that the person sees.
class QueryWindow {
public:
    virtual ~QueryWindow() = default;

    virtual WindowState& State() = 0;
    // Shows on screen what the state says.
    virtual void Reflect() = 0;
    // The output folder of the command line; empty for the folder "xml" beside the executable.
    virtual const std::string& OutputFolder() const = 0;

    virtual QString CaptchaText() const = 0;
    virtual void ClearCaptchaBox() = 0;
    virtual void FocusCaptchaBox() = 0;
    virtual void ShowCaptchaPicture(const QString& file) = 0;
    virtual void ClearCaptchaPicture() = 0;
    // The browser's cache emptied, so that a new query starts a fresh session.
    virtual void LimparCacheUrl() = 0;

    // "Fechar": the picture beside the executable deleted, then the window closed.
    virtual void PressFechar() = 0;
    virtual void CloseWindow() = 0;
};

// The conversion of the page lines into the XML file; returns the file's path.
using PageConverter = std::function<std::filesystem::path(std::string_view pageLines,
                                                          const convert::ConversionSettings&)>;

using DanfeWriter = std::function<void(const std::filesystem::path& invoiceFile)>;

struct QuerySetup {
    portal::PortalAddresses addresses;
    std::filesystem::path executableFolder;
    PageConverter converter;
    // How long the captcha step and the page capture wait for a page's body.
    std::chrono::milliseconds bodyWaitLimit = std::chrono::seconds(30);
    // Writes the DANFE of the invoice file KEY-nfe.xml beside it; none: no DANFE.
    DanfeWriter writeDanfe;
    // How long the portal's download on the way to the print page is awaited.
    std::chrono::milliseconds downloadWaitLimit = std::chrono::seconds(20);
};

// One query through the portal's pages, from the consultation page to the XML file. Each
// page load is recognised by its address and leads to its step: the security image, the way
// to the print page, the capture and conversion of that page, or the portal's error and a
// new query. It runs on the window's events and leaves the window usable on every way out.
class QueryFlow {
public:
    QueryFlow(QueryWindow& window, portal::Browser& browser, Dialogs& dialogs, QuerySetup setup);
    ~QueryFlow();

    // A fresh consultation page with a new security image; nothing without a connection.
    // Returns whether the query restarted.
    bool Restart();
    // The key and the captcha checked before a submission; a failed check only says so.
    void Validate();
    // "CONFIRMAR": the key and the captcha into the portal's form, which is submitted.
    void Submit();
    // Enter in the captcha box: "CONFIRMAR" with enough characters, a reminder otherwise.
    void EnterInCaptchaBox();
    // A page has finished loading.
    void PageLoaded();
    // "Download": from the result page on to the print page.
    void GoToPrintPage();
    // The print page into the page lines, then their conversion.
    void CapturePage();
    // The page lines into the XML file; the window closes whatever the outcome.
    void Import();
    // The official route wrote the invoice's own file: the program ends as after a conversion.
    void OfficialDocumentWritten(const std::filesystem::path& file);
    // "Download (*)": the portal's own download button.
    void PressDownloadButton();
    // The file that the portal announced, fetched into "KEY-orig.xml".
    void Download(const std::string& address);
    // The company's certificate, for the portal's download: presented by the browser and by
    // the program's own request. With it and "Com Cert." on, the result page leads first to
    // the portal's download, then to the print page, and the program ends after the
    // conversion.
    void UseCertificate(std::shared_ptr<const portal::ClientCertificate> certificate);

private:
    // With "Imprimir Danfe" on, the DANFE of the file just written goes beside it.
    void WriteDanfe();

    // The portal's download on the way to the print page: not yet asked for, asked for and
    // awaited, or over (delivered or failed).
    enum class DownloadOnTheWay { notAsked, awaited, over };

    // Presses the portal's download on the way to the print page; false, after saying why,
    // when the page has no download button.
    bool PressDownloadOnTheWay();
    void FetchDownload(const std::string& address);
    // The awaited download did not come in time: the print page without it.
    void DownloadDidNotCome();
    class OverlayGuard;

    void ShowCaptcha();
    // The portal's error page has been reported: a new security image, a new query.
    void RestartAfterError();
    // The page's body; nullopt, after saying that the page did not answer, when it does not
    // come in time.
    std::optional<std::string> PageBody();
    void DeleteCaptchaFiles();

    QueryWindow& window_;
    WindowState& state_;
    portal::Browser& browser_;
    Dialogs& dialogs_;
    QuerySetup setup_;
    bool submitting_ = false;
    bool capturing_ = false;
    std::shared_ptr<const portal::ClientCertificate> certificate_;
    DownloadOnTheWay downloadOnTheWay_ = DownloadOnTheWay::notAsked;
    std::unique_ptr<QTimer> downloadWait_;
};

}  // namespace app
