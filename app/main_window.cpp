#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "app/certificate_check.h"
#include "app/command_line.h"
#include "app/settings.h"
#include "app/working_files.h"
#include "dfe/certificate.h"
#include "dfe/error.h"
#include "dfe/pkcs11_uri.h"
#include "dfe/token_certificate.h"
#include "dfe/token_choice.h"
#include "files/system_error_text.h"
#include "nfe/access_key.h"

namespace app {

namespace {

constexpr int kWidth = 411;
constexpr int kHeight = 132;
constexpr int kButtonTop = 88;
constexpr int kNoteTop = 65;
// Inside the program, as a Qt resource.
constexpr auto kWaitAnimation = ":/processando1.gif";

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

}  // namespace

TfrmVLPrincipal::TfrmVLPrincipal(Dependencies dependencies)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      dependencies_(std::move(dependencies)) {
    setFixedSize(kWidth, kHeight);
    setWindowTitle(kApplicationTitle);
    // In points, so that the desktop's font scaling applies.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    Label2 = AddLabel(this, QStringLiteral("INFORME CODIGO DA IMAGEM"), 6, 6);

    edtCaptcha = new QLineEdit(this);
    edtCaptcha->setGeometry(4, 23, 211, 41);
    edtCaptcha->setMaxLength(6);
    QFont captchaFont(QStringLiteral("Verdana"));
    captchaFont.setPointSize(22);
    captchaFont.setBold(true);
    edtCaptcha->setFont(captchaFont);
    edtCaptcha->setStyleSheet(QStringLiteral("color: #0000a0;"));
    edtCaptcha->setAccessibleName(QStringLiteral("Código da imagem de segurança"));
    Label2->setBuddy(edtCaptcha);

    img1 = new QLabel(this);
    img1->setGeometry(221, 6, 187, 58);
    img1->setScaledContents(true);
    img1->setAccessibleName(QStringLiteral("Imagem de segurança"));

    Label3 = new QLabel(QStringLiteral("<a href=\"#\">Recarregar Imagem de Segurança</a>"), this);
    Label3->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Label3->setFocusPolicy(Qt::TabFocus);
    Label3->setAccessibleName(QStringLiteral("Recarregar Imagem de Segurança"));
    Label3->adjustSize();
    // Where the system's font is wider than the strip was drawn for, the link moves left
    // rather than lose its end.
    Label3->move(std::min(228, kWidth - Label3->width() - 2), 70);
    connect(Label3, &QLabel::linkActivated, this,
            [this] { RunHandler([this] { Label3Click(); }); });

    btnPegarHTML = new QPushButton(QStringLiteral("CONFIRMAR"), this);
    btnPegarHTML->setGeometry(0, kButtonTop, kWidth, 42);

    // Beside the link, why the certificate's route gave no file, when it gave none.
    routeNote_ = new QLabel(this);
    routeNote_->setTextFormat(Qt::PlainText);
    routeNote_->setWordWrap(true);
    routeNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    routeNote_->setStyleSheet(QStringLiteral("color: #800000;"));
    // Smaller than the window's text, so that the whole reason fits in two lines.
    QFont noteFont = routeNote_->font();
    noteFont.setPointSize(7);
    routeNote_->setFont(noteFont);
    routeNote_->setGeometry(6, kNoteTop, Label3->x() - 10, kButtonTop - kNoteTop);
    routeNote_->hide();

    // The wait overlay covers the whole window when moved to the top, and waits below the
    // visible area otherwise.
    pnl2 = new QWidget(this);
    pnl2->setGeometry(0, WindowState::kWaitParked, 418, 276);
    pnl2->setAutoFillBackground(true);
    AddLabel(pnl2, QStringLiteral("Aguarde"), 8, 8);
    animation_ = new QLabel(pnl2);
    animation_->setGeometry(0, 24, kWidth, kHeight - 24);
    animation_->setAlignment(Qt::AlignCenter);

    auto* configurar1 = new QAction(QStringLiteral("Configurar"), this);
    connect(configurar1, &QAction::triggered, this,
            [this] { RunHandler([this] { Configurar1Click(); }); });
    addAction(configurar1);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    for (QWidget* control : {static_cast<QWidget*>(this), static_cast<QWidget*>(edtCaptcha),
                             static_cast<QWidget*>(btnPegarHTML), static_cast<QWidget*>(Label3)}) {
        control->installEventFilter(this);
    }
    // Escape closes the window wherever the focus is.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this,
            [this] { RunHandler([this] { FormKeyDown(Qt::Key_Escape); }); });

    tmr1_ = new QTimer(this);
    tmr1_->setInterval(1000);
    connect(tmr1_, &QTimer::timeout, this, [this] { RunHandler([this] { tmr1Timer(); }); });
    tmr1_->start();

    tmr2_ = new QTimer(this);
    tmr2_->setInterval(250);
    connect(tmr2_, &QTimer::timeout, this, [this] { RunHandler([this] { tmr2Timer(); }); });
    tmr2_->start();

    connect(btnPegarHTML, &QPushButton::clicked, this,
            [this] { RunHandler([this] { btnPegarHTMLClick(); }); });

    // The browser is the program's, never the person's: off and out of sight, so that neither
    // Tab nor a click ever puts the keyboard into the portal's own form.
    auto* browserHost = new QWidget(this);
    browserHost->setGeometry(kWidth, kHeight, 1, 1);
    browserHost->setEnabled(false);
    WebBrowser1_ = dependencies_.createBrowser(browserHost);
    WebBrowser1_->TrustAuthorities(dependencies_.addresses.trustedAuthorities);
    WebBrowser1_->onDocumentComplete = [this] {
        RunHandler([this] { WebBrowser1DocumentComplete(); });
    };
    WebBrowser1_->onShowMessage = [this](const std::string& text) {
        RunHandler([&] { WebBrowser1ShowMessage(text); });
    };
    WebBrowser1_->onFileDownload = [this](const std::string& address) {
        RunHandler([&] { WebBrowser1FileDownload(address); });
        return true;
    };
    flow_ = std::make_unique<QueryFlow>(
        *this, *WebBrowser1_, Boxes(),
        QuerySetup{dependencies_.addresses, dependencies_.executableFolder, dependencies_.converter,
                   dependencies_.bodyWaitLimit, dependencies_.writeDanfe,
                   dependencies_.downloadWaitLimit});

    if (const auto* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    Reflect();
}

TfrmVLPrincipal::~TfrmVLPrincipal() = default;

void TfrmVLPrincipal::RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Boxes().Box(kApplicationTitle, QString::fromStdString(error.what()), Icon::Error);
    }
}

void TfrmVLPrincipal::FormShow() {
    setWindowTitle(kApplicationTitle);
    outputFolder_.clear();
    LoadWaitAnimation();
    if (!SettingsReady()) {
        return;
    }
    TakeCommandLine();
    StartFirstQuery();
    CarregarConfiguracao();
}

bool TfrmVLPrincipal::SettingsReady() {
    if (!std::filesystem::exists(SettingsFile())) {
        ShowSettingsDialog();
    }
    return !quitting_;
}

void TfrmVLPrincipal::TakeCommandLine() {
    const auto commandLine = ParseCommandLine(dependencies_.arguments);
    if (commandLine.key) {
        state_.edtChaveNFeText = *commandLine.key;
        edtCaptcha->setFocus();
    } else {
        Boxes().Box(QStringLiteral("Erro no Sistema"),
                    QStringLiteral("Chave da NFe obrigatória.\nEntre em contato com o "
                                   "suporte.\nO sistema será fechado"),
                    Icon::Error);
        // Like a posted close request: it takes effect once start-up has finished.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    outputFolder_ = commandLine.outputFolder.empty() ? dependencies_.defaultOutputFolder.string()
                                                     : commandLine.outputFolder;
}

void TfrmVLPrincipal::StartFirstQuery() {
    const bool connected = InternetConectada();
    state_.StartUpConnection(connected);
    Reflect();
    if (connected && !StartOfficialRoute()) {
        ReiniciarConsulta();
    }
}

bool TfrmVLPrincipal::StartOfficialRoute() {
    const auto certificate = ReadCertificatePath(SettingsFile());
    const auto key = nfe::TypedAccessKey(state_.edtChaveNFeText);
    if (certificate.empty() || !key) {
        return false;
    }
    const bool onToken = dfe::IsPkcs11Uri(certificate);
    const auto password = onToken ? TokenPin(certificate) : CertificatePassword(certificate);
    if (!password) {
        return false;
    }
    // The embedded browser cannot reach a token's key: with an A3 the portal goes on without
    // a certificate.
    if (!onToken) {
        PresentCertificateToThePortal(certificate, *password);
    }
    const auto folder = RouteOutputFolder();
    if (!folder) {
        return false;
    }
    WaitForTheRoute();
    // The request holds the only copy of the password, which goes with it when the route ends.
    AskTheRoute({*key, certificate, password, *folder, dependencies_.routeService, routeStop_});
    return true;
}

std::optional<std::filesystem::path> TfrmVLPrincipal::RouteOutputFolder() {
    try {
        return PrepareOutputFolder(outputFolder_, dependencies_.executableFolder);
    } catch (const std::filesystem::filesystem_error& error) {
        ShowRouteNote(QString::fromStdString(files::ExceptionText(error)));
        return std::nullopt;
    }
}

void TfrmVLPrincipal::WaitForTheRoute() {
    state_.ShowWait();
    state_.btnPegarHTML = false;
    Reflect();
}

void TfrmVLPrincipal::AskTheRoute(RouteRequest request) {
    routeRunning_ = true;
    // Kept only until the answer, for the Ciência the person may then be offered.
    askedRoute_ = request;
    auto* watcher = new QFutureWatcher<RouteResult>(this);
    connect(watcher, &QFutureWatcher<RouteResult>::finished, this, [this, watcher] {
        watcher->deleteLater();
        routeRunning_ = false;
        RouteRequest asked = std::move(*askedRoute_);
        askedRoute_.reset();
        RunHandler([this, watcher, &asked] { OfficialRouteAnswered(watcher->result(), asked); });
    });
    // The worker holds copies only: the window may close before the service answers.
    watcher->setFuture(
        QtConcurrent::run([route = dependencies_.officialRoute, request = std::move(request)] {
            return route(request);
        }));
}

bool TfrmVLPrincipal::OfferCiencia(const RouteResult& result) {
    return Boxes().Ask(
        kApplicationTitle,
        QStringLiteral("O serviço entregou só o resumo desta NF-e: a NF-e completa vem depois que "
                       "o destinatário registra a Ciência da Operação.\n\n%1\n\nRegistrar a "
                       "Ciência da Operação desta NF-e e baixá-la agora?")
            .arg(QString::fromStdString(result.cienciaMeaning)),
        QStringLiteral("Registrar e baixar"), QStringLiteral("Agora não"));
}

std::shared_ptr<const dfe::Secret> TfrmVLPrincipal::CertificatePassword(
    const std::string& certificate) {
    auto kept = Passwords().Read(certificate);
    if (kept && OpensCertificate(certificate, *kept)) {
        return std::make_shared<const dfe::Secret>(std::move(*kept));
    }
    // Nothing kept, no keyring, or a kept password that the certificate now refuses: the
    // person is asked, and a password that opens the certificate is kept again.
    const auto typed = Boxes().PasswordToKeep(
        kApplicationTitle,
        QStringLiteral("Senha do certificado %1:")
            .arg(QString::fromStdString(std::filesystem::path(certificate).filename().string())));
    if (!typed) {
        ShowRouteNote(QStringLiteral("A senha do certificado não foi informada."));
        return nullptr;
    }
    dfe::Secret password(typed->text.toStdString());
    if (typed->keep && OpensCertificate(certificate, password)) {
        Passwords().Save(certificate, password);
    }
    return std::make_shared<const dfe::Secret>(std::move(password));
}

std::shared_ptr<const dfe::Secret> TfrmVLPrincipal::TokenPin(const std::string& uri) {
    std::vector<dfe::TokenChoice> choices;
    try {
        choices = dfe::TokenChoices(Pkcs11Module());
    } catch (const dfe::CertificateError& error) {
        ShowRouteNote(QString::fromStdString(error.what()));
        return nullptr;
    }
    const auto chosen = dfe::ChoiceNamed(choices, uri);
    if (!chosen) {
        ShowRouteNote(QStringLiteral(
            "O certificado A3 configurado não foi encontrado: verifique se o token está conectado "
            "(para um cartão, o leitor e o serviço pcscd)."));
        return nullptr;
    }
    const auto typed =
        Boxes().Password(kApplicationTitle,
                         QStringLiteral("PIN do token %1:")
                             .arg(QString::fromStdString(choices[*chosen].certificate.tokenLabel)));
    if (!typed) {
        ShowRouteNote(QStringLiteral("O PIN do token não foi informado."));
        return nullptr;
    }
    auto pin = std::make_shared<const dfe::Secret>(typed->toStdString());
    // Tried here once, so that a refusal is said at once and the route never tries it again:
    // a token locks itself after a few wrong PINs.
    try {
        dfe::CheckTokenPin(uri, Pkcs11Module(), *pin);
    } catch (const dfe::CertificateError& error) {
        ShowRouteNote(QString::fromStdString(error.what()));
        return nullptr;
    }
    return pin;
}

void TfrmVLPrincipal::PresentCertificateToThePortal(const std::string& certificate,
                                                    const dfe::Secret& password) {
    try {
        const auto a1 = dfe::CompanyCertificate::ReadFile(certificate, password);
        auto client = std::make_shared<portal::ClientCertificate>();
        client->chainPem = a1.CertificateChainPem();
        client->keyPem = a1.PrivateKeyPem();
        flow_->UseCertificate(std::move(client));
    } catch (const dfe::Error&) {
        // The route says why the certificate cannot be used.
    }
}

void TfrmVLPrincipal::OfficialRouteAnswered(const RouteResult& result,
                                            const RouteRequest& request) {
    // Closed meanwhile (Escape): the program is ending, and nothing more may start.
    if (!isVisible()) {
        return;
    }
    if (result.file) {
        flow_->OfficialDocumentWritten(*result.file);
        return;
    }
    if (!result.cienciaMeaning.empty() && !request.registerCiencia && OfferCiencia(result)) {
        RouteRequest withCiencia = request;
        withCiencia.registerCiencia = true;
        AskTheRoute(std::move(withCiencia));
        return;
    }
    ShowRouteNote(QString::fromStdString(result.reason));
    if (!flow_->Restart()) {
        // Offline: no image to type, so "CONFIRMAR" stays off until the link brings one.
        state_.btnPegarHTML = false;
        state_.HideWait();
        Reflect();
    }
}

void TfrmVLPrincipal::ShowRouteNote(const QString& text) {
    routeNote_->setToolTip(text);
    routeNote_->setText(text);
    // The whole reason, however long: the strip grows below it where two lines do not hold it.
    const int height =
        std::max(kButtonTop - kNoteTop, routeNote_->heightForWidth(routeNote_->width()));
    routeNote_->resize(routeNote_->width(), height);
    const int extra = height - (kButtonTop - kNoteTop);
    btnPegarHTML->move(0, kButtonTop + extra);
    setFixedSize(kWidth, kHeight + extra);
    routeNote_->show();
}

QString TfrmVLPrincipal::RouteNote() const {
    return routeNote_->text();
}

void TfrmVLPrincipal::LoadWaitAnimation() {
    const QString path = kWaitAnimation;
    auto* movie = new QMovie(path, QByteArray(), animation_);
    if (!movie->isValid()) {
        delete movie;
        Boxes().Box(kApplicationTitle, QStringLiteral("Erro ao carregar GIF: \n") + path,
                    Icon::Error);
        return;
    }
    animation_->setMovie(movie);
    movie->start();
}

void TfrmVLPrincipal::FormKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        close();
    }
}

bool TfrmVLPrincipal::FormKeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    focusNextChild();
    return true;
}

bool TfrmVLPrincipal::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Under "Aguarde" the query is the program's: nothing typed reaches the strip.
    if (state_.WaitShown() && key != Qt::Key_Escape) {
        return true;
    }
    if (watched == Label3 && key != Qt::Key_Escape) {
        return false;  // the link's own Enter and Space press it
    }
    bool consumed = false;
    RunHandler([&] {
        // The window sees every key first, then the control its own key-down; an Enter that
        // the captcha box handled is not the window's any more.
        FormKeyDown(key);
        if (watched == edtCaptcha && isVisible() && edtCaptchaKeyDown(key)) {
            consumed = true;
            return;
        }
        consumed = FormKeyPress(key);
    });
    return consumed || key == Qt::Key_Escape;
}

void TfrmVLPrincipal::closeEvent(QCloseEvent* event) {
    // A route still asking is abandoned at once, so that the program ends now and writes
    // nothing after the person closed it.
    routeStop_->store(true);
    FormClose();
    event->accept();
}

bool TfrmVLPrincipal::RouteRunning() const {
    return routeRunning_;
}

void TfrmVLPrincipal::FormClose() {
    CleanUpWorkingFiles(dependencies_.executableFolder);
}

void TfrmVLPrincipal::tmr1Timer() {
    QCoreApplication::processEvents();
    AtualizarConexao(InternetConectada());
}

void TfrmVLPrincipal::btnFecharClick() {
    DeleteIfPresent(WorkingFile(kCaptchaImage));
    close();
}

void TfrmVLPrincipal::Configurar1Click() {
    const auto typed =
        Boxes().Password(kApplicationTitle, QStringLiteral("Informe a senha para acessar."));
    if (!typed) {
        return;
    }
    if (typed->toStdString() != AccessCode(dependencies_.today())) {
        Boxes().Message(QStringLiteral("Senha informada está errada. Tente novamente."));
        return;
    }
    ShowSettingsDialog();
}

bool TfrmVLPrincipal::edtCaptchaKeyDown(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    flow_->EnterInCaptchaBox();
    return true;
}

void TfrmVLPrincipal::WebBrowser1ShowMessage(const std::string& text) {
    messages_.Record(text);
}

void TfrmVLPrincipal::tmr2Timer() {
    QCoreApplication::processEvents();
    state_.edt2 = messages_.UltimaMensagem;
    if (messages_.TakeSignal()) {
        WebBrowser1_->ConfirmMessage();
    }
}

bool TfrmVLPrincipal::WebBrowser1FileDownload(const std::string& address) {
    flow_->Download(address);
    return true;
}

void TfrmVLPrincipal::CarregarConfiguracao() {
    const auto file = SettingsFile();
    if (!std::filesystem::exists(file)) {
        Boxes().Message(QStringLiteral("Arquivo de configuração não localizado."));
        ShowSettingsDialog();
        return;
    }
    ReadOptions(file, state_.options);
    state_.ApplyOptions();
    Reflect();
}

void TfrmVLPrincipal::LimparCacheUrl() {
    WebBrowser1_->ClearCache();
}

bool TfrmVLPrincipal::InternetConectada() {
    return dependencies_.internetConnected();
}

void TfrmVLPrincipal::AtualizarConexao(bool connected) {
    state_.ShowConnection(connected);
}

void TfrmVLPrincipal::ShowSettingsDialog() {
    TfrmVLConfig dialog(*this, this);
    Boxes().Run(dialog);
}

void TfrmVLPrincipal::Quit() {
    quitting_ = true;
    dependencies_.quit();
}

void TfrmVLPrincipal::Reflect() {
    btnPegarHTML->setEnabled(state_.btnPegarHTML);
    // No settings dialog under "Aguarde": an answer that ends the program would close it
    // with its edits.
    setContextMenuPolicy(state_.WaitShown() ? Qt::NoContextMenu : Qt::ActionsContextMenu);
    pnl2->move(0, state_.pnl2Top);
    pnl2->raise();
}

QString TfrmVLPrincipal::CaptchaText() const {
    return edtCaptcha->text();
}

void TfrmVLPrincipal::ClearCaptchaBox() {
    edtCaptcha->clear();
}

void TfrmVLPrincipal::FocusCaptchaBox() {
    edtCaptcha->setFocus();
}

void TfrmVLPrincipal::ShowCaptchaPicture(const QString& file) {
    img1->setPixmap(QPixmap(file));
}

void TfrmVLPrincipal::ClearCaptchaPicture() {
    img1->clear();
}

std::filesystem::path TfrmVLPrincipal::SettingsFile() const {
    return WorkingFile(kSettingsFile);
}

}  // namespace app
