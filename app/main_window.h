#pragma once

#include <QWidget>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/access_code.h"
#include "app/dialogs.h"
#include "app/official_route.h"
#include "app/password_store.h"
#include "app/query_flow.h"
#include "app/settings_dialog.h"
#include "app/window_state.h"
#include "portal/browser.h"
#include "portal/page_messages.h"
#include "portal/portal_addresses.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace app {

// What the main window takes from outside, so that tests can run it without a desktop, a
// network or a clock.
struct Dependencies {
    // The folder of the settings file and the working files: the executable's, unless that
    // cannot be written (file_locations.h).
    std::filesystem::path executableFolder;
    // Where output goes when the command line names no folder; empty for the folder "xml"
    // beside the settings file.
    std::filesystem::path defaultOutputFolder;
    // The command line, UTF-8; [0] is the program.
    std::vector<std::string> arguments;
    Dialogs* dialogs = nullptr;
    portal::PortalAddresses addresses = portal::PortalAddresses::FromEnvironment();
    std::function<std::unique_ptr<portal::Browser>(QWidget* host)> createBrowser;
    // The system's connection state: whether this machine is connected to a network.
    std::function<bool()> internetConnected;
    std::function<CalendarDate()> today;
    PageConverter converter;
    DanfeWriter writeDanfe;
    // How long the captcha step and the page capture wait for a page's body.
    std::chrono::milliseconds bodyWaitLimit = std::chrono::seconds(30);
    // How long the portal's download on the way to the print page is awaited.
    std::chrono::milliseconds downloadWaitLimit = std::chrono::seconds(20);
    // Ends the application (the settings dialog closed on a first start without saving).
    std::function<void()> quit;
    // Where the certificate's password is kept between runs.
    PasswordStore* passwords = nullptr;
    // With a certificate configured, a start by key asks the distribution service first.
    OfficialRoute officialRoute = [](const RouteRequest& request) {
        return AskOfficialRoute(request);
    };
    RouteService routeService = RouteService::FromEnvironment();
};

// The main window: the captcha strip the person sees, the wait overlay, the hidden browser,
// and the state of every other action (WindowState). The query itself is the QueryFlow's;
// the handlers hand it their events.
class TfrmVLPrincipal : public QWidget, public QueryWindow, public SettingsDialogHost {
    Q_OBJECT
public:
    explicit TfrmVLPrincipal(Dependencies dependencies);
    ~TfrmVLPrincipal() override;

    // Runs a handler; an error that escapes it is shown in an error box and the program goes on.
    void RunHandler(const std::function<void()>& handler) override;

    // Handlers.
    void FormShow();
    void FormKeyDown(int key);
    bool FormKeyPress(int key);
    void FormClose();
    void tmr1Timer();
    void btnFecharClick();
    void btnGerarXMLClick() { ImportarNFe(); }
    void btnNovaConsultaClick() { ReiniciarConsulta(); }
    void Label3Click() { ReiniciarConsulta(); }
    void Configurar1Click();
    void WebBrowser1DocumentComplete() { flow_->PageLoaded(); }
    void btnPegarHTMLClick() { flow_->Submit(); }
    void btnDadosClick() { flow_->GoToPrintPage(); }
    void Button1Click() { ValidarConsulta(); }
    // True when the key has been handled (Enter).
    bool edtCaptchaKeyDown(int key);
    void WebBrowser1ShowMessage(const std::string& text);
    void tmr2Timer();
    void btnDowClick() { flow_->PressDownloadButton(); }
    // Returns true: the download is always the program's, never the browser's.
    bool WebBrowser1FileDownload(const std::string& address);

    // Operations.
    void ReiniciarConsulta() { flow_->Restart(); }
    void ValidarConsulta() { flow_->Validate(); }
    void CapturarPagina() { flow_->CapturePage(); }
    void ImportarNFe() { flow_->Import(); }
    void CarregarConfiguracao() override;
    void LimparCacheUrl() override;
    bool InternetConectada();
    void AtualizarConexao(bool connected);
    void ShowSettingsDialog();
    void Quit() override;

    // The window as the query flow drives it.
    WindowState& State() override { return state_; }
    void Reflect() override;
    const std::string& OutputFolder() const override { return outputFolder_; }
    QString CaptchaText() const override;
    void ClearCaptchaBox() override;
    void FocusCaptchaBox() override;
    void ShowCaptchaPicture(const QString& file) override;
    void ClearCaptchaPicture() override;
    void PressFechar() override { btnFecharClick(); }
    void CloseWindow() override { close(); }

    // The window as the settings dialog sees it.
    QString Caption() const override { return windowTitle(); }
    std::filesystem::path SettingsFile() const override;
    Dialogs& Boxes() override { return *dependencies_.dialogs; }
    PasswordStore& Passwords() override { return *dependencies_.passwords; }
    std::filesystem::path Pkcs11Module() const override {
        return dependencies_.routeService.pkcs11Module;
    }

    // Why the official route gave no file, as the window shows it in one line; empty when it
    // was not asked or delivered.
    QString RouteNote() const;

    // The official route is asking the service.
    bool RouteRunning() const;

    const portal::PageMessages& Messages() const { return messages_; }
    portal::Browser& WebBrowser1() { return *WebBrowser1_; }
    const std::filesystem::path& FPath() const { return state_.FPath; }
    std::filesystem::path WorkingFile(std::string_view name) const {
        return dependencies_.executableFolder / name;
    }

    QLabel* Label2;
    QLineEdit* edtCaptcha;
    QLabel* img1;
    QLabel* Label3;
    QPushButton* btnPegarHTML;
    QWidget* pnl2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadWaitAnimation();
    // The steps of FormShow. A first start opens the settings dialog: false when the person
    // left it and the program ends.
    bool SettingsReady();
    // The key and the output folder; without a key, the "Erro no Sistema" box and a close.
    void TakeCommandLine();
    // Connected, the official route, or else the portal, is asked for the key.
    void StartFirstQuery();
    // With a certificate configured and a valid key, asks the official route away from the
    // window, under the wait overlay; false when the query goes to the portal at once.
    bool StartOfficialRoute();
    // The output folder made ready for the route; nullopt, with the reason shown, when it
    // cannot be made.
    std::optional<std::filesystem::path> RouteOutputFolder();
    // The wait overlay while the route asks, with "CONFIRMAR" off.
    void WaitForTheRoute();
    // Runs the request away from the window; the answer comes back to OfficialRouteAnswered.
    void AskTheRoute(RouteRequest request);
    void OfficialRouteAnswered(const RouteResult& result, const RouteRequest& request);
    // When only the summary came: whether the person registers the Ciência da Operação now.
    bool OfferCiencia(const RouteResult& result);
    // The kept password when it opens the certificate, else the one the person types; null,
    // with the reason shown, when the person typed none.
    std::shared_ptr<const dfe::Secret> CertificatePassword(const std::string& certificate);
    // The PIN of the token that holds the A3 at uri, typed by the person and taken by the
    // token; null, with the reason shown, when the token is absent, the person typed none or
    // the token refused it. Asked once per run, kept only as long as the route needs it.
    std::shared_ptr<const dfe::Secret> TokenPin(const std::string& uri);
    // An A1 for the portal's download too, when it can be read.
    void PresentCertificateToThePortal(const std::string& certificate, const dfe::Secret& password);
    void ShowRouteNote(const QString& text);

    Dependencies dependencies_;
    WindowState state_;
    std::string outputFolder_;
    QLabel* animation_;
    QLabel* routeNote_;
    QTimer* tmr1_;
    QTimer* tmr2_;
    portal::PageMessages messages_;
    std::unique_ptr<portal::Browser> WebBrowser1_;
    std::unique_ptr<QueryFlow> flow_;
    bool quitting_ = false;
    bool routeRunning_ = false;
    std::optional<RouteRequest> askedRoute_;
    std::shared_ptr<std::atomic<bool>> routeStop_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace app
