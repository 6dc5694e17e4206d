#include "app/query_flow.h"

#include <QCoreApplication>
#include <exception>
#include <utility>

#include "app/download_target.h"
#include "app/working_files.h"
#include "capture/page_lines.h"
#include "nfe/access_key.h"
#include "portal/body_wait.h"
#include "portal/captcha_image.h"
#include "portal/captcha_text.h"
#include "portal/credential_scope.h"
#include "portal/file_download.h"
#include "portal/portal_form.h"
#include "portal/query_step.h"
#include "text/trim.h"
#include "text/windows1252.h"

namespace app {

namespace {

// Written and read in the working folder; deleted beside the executable.
constexpr const char* kCaptchaInWorkingFolder = "captcha.png";

// The fewest characters of the security image that a query is sent with.
constexpr qsizetype kCaptchaMinimumLength = 4;

// Characters of the text without those of code 32 or below at both ends.
qsizetype TrimmedLength(const QString& text) {
    return QString::fromStdString(std::string(text::Trim(text.toStdString()))).size();
}

// Clears a flag when a step that must not run inside itself ends.
class Running {
public:
    explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
    ~Running() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

// Hides the wait overlay when a step ends, so that the person can always reach "Recarregar
// Imagem de Segurança": on every way out of the step, or only when an error ends it.
class QueryFlow::OverlayGuard {
public:
    enum class When { Always, OnError };

    OverlayGuard(QueryFlow& flow, When when) : flow_(flow), when_(when) {}
    OverlayGuard(const OverlayGuard&) = delete;
    OverlayGuard& operator=(const OverlayGuard&) = delete;
    ~OverlayGuard() {
        if (when_ == When::Always || std::uncaught_exceptions() > exceptions_) {
            flow_.state_.HideWait();
            flow_.window_.Reflect();
        }
    }

private:
    QueryFlow& flow_;
    When when_;
    int exceptions_ = std::uncaught_exceptions();
};

QueryFlow::QueryFlow(QueryWindow& window, portal::Browser& browser, Dialogs& dialogs,
                     QuerySetup setup)
    : window_(window),
      state_(window.State()),
      browser_(browser),
      dialogs_(dialogs),
      setup_(std::move(setup)),
      downloadWait_(std::make_unique<QTimer>()) {
    downloadWait_->setSingleShot(true);
    QObject::connect(downloadWait_.get(), &QTimer::timeout, [this] {
        try {
            DownloadDidNotCome();
        } catch (const std::exception& error) {
            dialogs_.Box(kApplicationTitle, QString::fromStdString(error.what()), Icon::Error);
        }
    });
}

QueryFlow::~QueryFlow() = default;

bool QueryFlow::Restart() {
    if (!state_.Restart()) {
        return false;
    }
    window_.ClearCaptchaBox();
    window_.Reflect();
    window_.LimparCacheUrl();
    browser_.Navigate(setup_.addresses.consultationPage);
    return true;
}

void QueryFlow::Validate() {
    state_.edtChaveNFeText = nfe::KeyCharacters(state_.edtChaveNFeText);
    if (!nfe::IsValidAccessKey(state_.edtChaveNFeText)) {
        dialogs_.Box(kApplicationTitle,
                     QStringLiteral("Chave incorreta. Verifique a chave informada."), Icon::Error);
        return;
    }
    if (TrimmedLength(window_.CaptchaText()) < kCaptchaMinimumLength) {
        dialogs_.Box(kApplicationTitle, QStringLiteral("Digite os caracteres da imagem."),
                     Icon::Error);
        window_.FocusCaptchaBox();
        return;
    }
    state_.QueryValidated();
    window_.Reflect();
}

void QueryFlow::Submit() {
    // Filling the form waits for the page and lets key presses through meanwhile; an Enter
    // among them must not submit the form a second time.
    if (submitting_) {
        return;
    }
    const Running running(submitting_);
    // Nothing sent, or a page that stopped answering: the person must reach the link.
    const OverlayGuard overlay(*this, OverlayGuard::When::OnError);

    state_.ShowWait();
    window_.Reflect();
    Validate();
    state_.ConfirmPressed();
    try {
        browser_.SetElementValue(portal::kKeyField, state_.edtChaveNFeText);
        browser_.SetElementValue(portal::kCaptchaField, window_.CaptchaText().toStdString());
        browser_.ClickElement(portal::kSubmitButton);
    } catch (...) {
        state_.FormFillingFailed();
        throw;
    }
    state_.FormSubmitted();
    window_.Reflect();
}

void QueryFlow::EnterInCaptchaBox() {
    if (TrimmedLength(window_.CaptchaText()) >= kCaptchaMinimumLength) {
        // Enter presses "CONFIRMAR", which does nothing while it is off.
        if (state_.btnPegarHTML) {
            Submit();
        }
        return;
    }
    dialogs_.Message(QStringLiteral("Informe o codigo da imagem de segurança"));
    window_.FocusCaptchaBox();
}

void QueryFlow::PageLoaded() {
    const OverlayGuard overlay(*this, OverlayGuard::When::OnError);
    QCoreApplication::processEvents();
    const auto& addresses = setup_.addresses;
    switch (portal::StepForPage(addresses, browser_.LocationUrl(), browser_.HttpErrorStatus())) {
        case portal::QueryStep::ShowCaptcha:
            ShowCaptcha();
            break;
        case portal::QueryStep::PrintFromViewer:
            browser_.Navigate(addresses.printPage);
            break;
        case portal::QueryStep::PrintFromResult:
            state_.ShowWait();
            window_.ClearCaptchaPicture();
            window_.Reflect();
            if (certificate_ && WithCertificateDownload(state_.options) &&
                downloadOnTheWay_ != DownloadOnTheWay::over) {
                // The portal's own file first; a second load of the result page while it is
                // awaited changes nothing.
                if (downloadOnTheWay_ == DownloadOnTheWay::awaited || PressDownloadOnTheWay()) {
                    break;
                }
            }
            browser_.Navigate(addresses.printPage);
            break;
        case portal::QueryStep::CapturePage:
            CapturePage();
            break;
        case portal::QueryStep::NotFound:
            dialogs_.Box(kApplicationTitle,
                         QStringLiteral("NF-e INEXISTENTE na base nacional, favor consultar "
                                        "esta NF-e no site da SEFAZ de origem."),
                         Icon::Error);
            RestartAfterError();
            state_.HideWait();
            window_.Reflect();
            break;
        case portal::QueryStep::WrongCaptcha:
            dialogs_.Box(
                kApplicationTitle,
                QStringLiteral("Imagem de segurança informada é inválida. Tente novamente."),
                Icon::Warning);
            RestartAfterError();
            break;
        case portal::QueryStep::PortalError:
            dialogs_.Box(
                kApplicationTitle,
                QStringLiteral(
                    "Erro encontrado na Sefaz Nacional. Tente novamente em alguns instantes."),
                Icon::Error);
            RestartAfterError();
            break;
    }
}

void QueryFlow::RestartAfterError() {
    // A download that led to an error page is not asked for again.
    if (downloadOnTheWay_ == DownloadOnTheWay::awaited) {
        downloadOnTheWay_ = DownloadOnTheWay::over;
        downloadWait_->stop();
    }
    window_.ClearCaptchaPicture();
    state_.ErrorPageShown();
    DeleteCaptchaFiles();
    if (!Restart()) {
        // Without a connection no new query starts: the person must reach the link to ask
        // again once the connection is back.
        state_.HideWait();
        window_.Reflect();
    }
}

void QueryFlow::ShowCaptcha() {
    const OverlayGuard overlay(*this, OverlayGuard::When::Always);
    const auto body = PageBody();
    if (!body) {
        return;
    }
    state_.Memo2 = capture::SplitLines(text::Utf8ToWindows1252(*body));
    const auto captcha = portal::CaptchaText(capture::JoinPageLines(state_.Memo2));
    if (text::Trim(captcha).empty()) {
        dialogs_.Message(
            QStringLiteral("O portal da NFe nacional está com problemas de acesso. Tente "
                           "novamente em alguns minutos."));
        return;
    }
    portal::SalvarCaptcha(captcha, kCaptchaInWorkingFolder);
    window_.ShowCaptchaPicture(QString::fromUtf8(kCaptchaInWorkingFolder));
    state_.CaptchaShown();
    // Wherever the focus went meanwhile (Enter moves it on, a box takes it), the person
    // types the new characters at once.
    window_.FocusCaptchaBox();
}

std::optional<std::string> QueryFlow::PageBody() {
    auto body = portal::WaitForBody(browser_, setup_.bodyWaitLimit);
    if (!body) {
        dialogs_.Message(QString::fromUtf8(portal::kPageDidNotAnswer));
    }
    return body;
}

void QueryFlow::GoToPrintPage() {
    if (browser_.LocationUrl() != setup_.addresses.resultPage) {
        return;
    }
    state_.ShowWait();
    window_.ClearCaptchaPicture();
    window_.Reflect();
    browser_.Navigate(setup_.addresses.printPage);
}

void QueryFlow::CapturePage() {
    // The waits below let other events run, a second load of the same page among them: one
    // print page gives one capture.
    if (capturing_) {
        return;
    }
    const Running running(capturing_);
    const OverlayGuard overlay(*this, OverlayGuard::When::Always);

    QCoreApplication::processEvents();
    state_.CaptureStarted();
    window_.ClearCaptchaPicture();
    window_.ClearCaptchaBox();
    window_.Reflect();

    const auto body = PageBody();
    if (!body) {
        return;
    }
    state_.Memo2 = capture::PageLinesFromMarkup(text::Utf8ToWindows1252(*body),
                                                [] { QCoreApplication::processEvents(); });
    window_.ClearCaptchaPicture();
    state_.CaptureEnded();
    window_.Reflect();
    Import();
}

void QueryFlow::Import() {
    convert::ConversionSettings settings;
    settings.outputFolder = window_.OutputFolder();
    settings.executableFolder = setup_.executableFolder;
    settings.processPendingEvents = [] { QCoreApplication::processEvents(); };
    settings.showMessage = [this](const std::string& message) {
        dialogs_.Message(QString::fromStdString(message));
    };
    try {
        state_.FPath = setup_.converter(capture::JoinPageLines(state_.Memo2), settings);
        WriteDanfe();
        window_.ClearCaptchaPicture();
        window_.ClearCaptchaBox();
    } catch (...) {
        dialogs_.Message(QStringLiteral("Erro ao importar a NF-e."));
    }
    state_.ImportEnded();
    window_.Reflect();
    window_.PressFechar();
}

void QueryFlow::OfficialDocumentWritten(const std::filesystem::path& file) {
    state_.FPath = file;
    WriteDanfe();
    window_.ClearCaptchaPicture();
    window_.ClearCaptchaBox();
    state_.ImportEnded();
    window_.Reflect();
    window_.PressFechar();
}

void QueryFlow::WriteDanfe() {
    if (!WithDanfe(state_.options) || !setup_.writeDanfe) {
        return;
    }
    try {
        setup_.writeDanfe(state_.FPath);
    } catch (const std::exception& error) {
        dialogs_.Message(QStringLiteral("O DANFE não foi gerado. ") +
                         QString::fromStdString(error.what()));
    }
}

void QueryFlow::PressDownloadButton() {
    browser_.ClickElement(portal::kDownloadButton);
    state_.DownloadPressed();
    window_.ClearCaptchaPicture();
    window_.ClearCaptchaBox();
    window_.Reflect();
}

bool QueryFlow::PressDownloadOnTheWay() {
    try {
        PressDownloadButton();
    } catch (const std::exception& error) {
        // A page without the button: the conversion is still to come.
        downloadOnTheWay_ = DownloadOnTheWay::over;
        dialogs_.Box(kApplicationTitle, QString::fromStdString(error.what()), Icon::Error);
        return false;
    }
    downloadOnTheWay_ = DownloadOnTheWay::awaited;
    downloadWait_->start(setup_.downloadWaitLimit);
    state_.ShowWait();
    window_.Reflect();
    return true;
}

void QueryFlow::DownloadDidNotCome() {
    if (downloadOnTheWay_ != DownloadOnTheWay::awaited) {
        return;
    }
    downloadOnTheWay_ = DownloadOnTheWay::over;
    dialogs_.Box(
        kApplicationTitle,
        QStringLiteral("O download do portal não veio em %1 segundos: a nota segue pela "
                       "página de impressão.")
            .arg(
                std::chrono::duration_cast<std::chrono::seconds>(setup_.downloadWaitLimit).count()),
        Icon::Warning);
    state_.ShowWait();
    window_.Reflect();
    browser_.Navigate(setup_.addresses.printPage);
}

void QueryFlow::UseCertificate(std::shared_ptr<const portal::ClientCertificate> certificate) {
    browser_.PresentCertificate(certificate, setup_.addresses);
    certificate_ = std::move(certificate);
}

void QueryFlow::FetchDownload(const std::string& address) {
    const auto target =
        DownloadTarget(state_.edtChaveNFeText, window_.OutputFolder(), setup_.executableFolder);
    const auto agent =
        std::filesystem::path(QCoreApplication::applicationFilePath().toStdString()).filename();
    // The portal's session and the company's certificate are the portal's business alone.
    const bool portal =
        portal::IsPortalHost(QUrl(QString::fromStdString(address)), setup_.addresses);
    portal::DownloadRequest request{address, target, agent.string(),
                                    portal ? browser_.Cookies(address) : std::string()};
    request.certificate = portal ? certificate_ : nullptr;
    request.trustedAuthorities = setup_.addresses.trustedAuthorities;
    portal::BaixarArquivo(request);
}

void QueryFlow::Download(const std::string& address) {
    if (downloadOnTheWay_ == DownloadOnTheWay::awaited) {
        // On the way to the print page: the conversion follows whatever became of the file.
        downloadOnTheWay_ = DownloadOnTheWay::over;
        downloadWait_->stop();
        try {
            FetchDownload(address);
        } catch (const std::exception& error) {
            dialogs_.Box(kApplicationTitle, QString::fromStdString(error.what()), Icon::Error);
        }
        DeleteCaptchaFiles();
        state_.ShowWait();
        window_.Reflect();
        browser_.Navigate(setup_.addresses.printPage);
        return;
    }
    // A failed download wrote nothing and the program stays, so the person can try again.
    const OverlayGuard overlay(*this, OverlayGuard::When::OnError);
    FetchDownload(address);
    DeleteCaptchaFiles();
    if (ClosesWhenDone(state_.options)) {
        window_.CloseWindow();
    }
    state_.HideWait();
    window_.Reflect();
}

void QueryFlow::DeleteCaptchaFiles() {
    DeleteIfPresent(setup_.executableFolder / kCaptchaImage);
    DeleteIfPresent(setup_.executableFolder / "captcha.jpg");
}

}  // namespace app
