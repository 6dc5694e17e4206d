#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <exception>

#include "app/command_line.h"
#include "app/download_target.h"
#include "app/settings.h"
#include "app/settings_dialog.h"
#include "app/working_files.h"
#include "capture/page_lines.h"
#include "convert/character_filters.h"
#include "nfe/access_key.h"
#include "nfe/windows1252.h"
#include "portal/body_wait.h"
#include "portal/captcha_image.h"
#include "portal/captcha_text.h"
#include "portal/file_download.h"
#include "portal/query_step.h"

namespace app {

namespace {

constexpr int kLargura = 411;
constexpr int kAltura = 132;

QString Caminho(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QLabel* Rotulo(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// Names of the portal's form elements.
constexpr const char* kCampoChave = "ctl00$ContentPlaceHolder1$txtChaveAcessoCompleta";
constexpr const char* kCampoCaptcha = "ctl00$ContentPlaceHolder1$txtCaptcha";
constexpr const char* kBotaoConsultar = "ctl00$ContentPlaceHolder1$btnConsultar";
constexpr const char* kBotaoDownload = "ctl00$ContentPlaceHolder1$btnDownload";

// Written and read in the working directory, deleted beside the executable.
constexpr const char* kCaptchaNoDiretorioAtual = "captcha.png";

// Characters of the text without those of code 32 or below at both ends.
qsizetype TamanhoAparado(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32) {
        ++begin;
    }
    while (end > begin && text[end - 1].unicode() <= 32) {
        --end;
    }
    return end - begin;
}

// Hides the wait overlay when a step of the query ends, so that the person can always reach
// "Recarregar Imagem de Segurança": on every way out of the step, or only when an error ends
// it.
class OverlayGuard {
public:
    enum class When { Always, OnError };

    OverlayGuard(TfrmVLPrincipal& window, When when) : window_(window), when_(when) {}
    OverlayGuard(const OverlayGuard&) = delete;
    OverlayGuard& operator=(const OverlayGuard&) = delete;
    ~OverlayGuard() {
        if (when_ == When::Always || std::uncaught_exceptions() > exceptions_) {
            window_.Estado().OcultarEspera();
            window_.Refletir();
        }
    }

private:
    TfrmVLPrincipal& window_;
    When when_;
    int exceptions_ = std::uncaught_exceptions();
};

}  // namespace

TfrmVLPrincipal::TfrmVLPrincipal(Dependencias dependencias)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      dependencias_(std::move(dependencias)) {
    setFixedSize(kLargura, kAltura);
    setWindowTitle(QStringLiteral("TARVENIX|NFe"));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    Label2 = Rotulo(this, QStringLiteral("INFORME CODIGO DA IMAGEM"), 6, 6);

    edtCaptcha = new QLineEdit(this);
    edtCaptcha->setGeometry(4, 23, 211, 41);
    edtCaptcha->setMaxLength(6);
    QFont captchaFont(QStringLiteral("Verdana"));
    captchaFont.setPixelSize(29);
    captchaFont.setBold(true);
    edtCaptcha->setFont(captchaFont);
    edtCaptcha->setStyleSheet(QStringLiteral("color: #0000a0;"));

    img1 = new QLabel(this);
    img1->setGeometry(221, 6, 187, 58);
    img1->setScaledContents(true);

    Label3 = new QLabel(QStringLiteral("<a href=\"#\">Recarregar Imagem de Segurança</a>"), this);
    Label3->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    Label3->adjustSize();
    // Where the system's font is wider than the strip was drawn for, the link moves left
    // rather than lose its end.
    Label3->move(std::min(228, kLargura - Label3->width() - 2), 70);
    connect(Label3, &QLabel::linkActivated, this,
            [this] { ExecutarTratador([this] { Label3Click(); }); });

    btnPegarHTML = new QPushButton(QStringLiteral("CONFIRMAR"), this);
    btnPegarHTML->setGeometry(0, 88, kLargura, 42);

    // The wait overlay covers the whole window when moved to the top, and waits below the
    // visible area otherwise.
    pnl2 = new QWidget(this);
    pnl2->setGeometry(0, EstadoJanela::kEsperaForaDaTela, 418, 276);
    pnl2->setAutoFillBackground(true);
    Rotulo(pnl2, QStringLiteral("Aguarde"), 8, 8);
    animacao_ = new QLabel(pnl2);
    animacao_->setGeometry(0, 24, kLargura, kAltura - 24);
    animacao_->setAlignment(Qt::AlignCenter);

    auto* configurar1 = new QAction(QStringLiteral("Configurar"), this);
    connect(configurar1, &QAction::triggered, this,
            [this] { ExecutarTratador([this] { Configurar1Click(); }); });
    addAction(configurar1);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    for (QWidget* control : {static_cast<QWidget*>(this), static_cast<QWidget*>(edtCaptcha),
                             static_cast<QWidget*>(btnPegarHTML)}) {
        control->installEventFilter(this);
    }

    tmr1_ = new QTimer(this);
    tmr1_->setInterval(1000);
    connect(tmr1_, &QTimer::timeout, this, [this] { ExecutarTratador([this] { tmr1Timer(); }); });
    tmr1_->start();

    tmr2_ = new QTimer(this);
    tmr2_->setInterval(250);
    connect(tmr2_, &QTimer::timeout, this, [this] { ExecutarTratador([this] { tmr2Timer(); }); });
    tmr2_->start();

    connect(btnPegarHTML, &QPushButton::clicked, this,
            [this] { ExecutarTratador([this] { btnPegarHTMLClick(); }); });

    WebBrowser1_ = dependencias_.criarNavegador(this);
    WebBrowser1_->onDocumentComplete = [this] {
        ExecutarTratador([this] { WebBrowser1DocumentComplete(); });
    };
    WebBrowser1_->onShowMessage = [this](const std::string& text) {
        ExecutarTratador([&] { WebBrowser1ShowMessage(text); });
    };
    WebBrowser1_->onFileDownload = [this](const std::string& address) {
        ExecutarTratador([&] { WebBrowser1FileDownload(address); });
        return true;
    };

    if (const auto* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    Refletir();
}

TfrmVLPrincipal::~TfrmVLPrincipal() = default;

void TfrmVLPrincipal::ExecutarTratador(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Dialogo().Caixa(kApplicationTitle, QString::fromStdString(error.what()), Icone::Erro);
    }
}

void TfrmVLPrincipal::FormShow() {
    setWindowTitle(QStringLiteral("TARVENIX|NFe"));
    pastaSaida_.clear();
    CarregarAnimacao();

    if (!std::filesystem::exists(ArquivoDeTrabalho(kArquivoConfiguracao))) {
        MostrarConfigurador();
        if (terminando_) {
            return;
        }
    }

    const auto commandLine = InterpretarLinhaDeComando(dependencias_.argumentos);
    if (commandLine.chave) {
        estado_.chaveNFe = *commandLine.chave;
        edtCaptcha->setFocus();
    } else {
        Dialogo().Caixa(QStringLiteral("Erro no Sistema"),
                        QStringLiteral("Chave da NFe obrigatória.\nEntre em contato com o "
                                       "suporte.\nO sistema será fechado"),
                        Icone::Erro);
        // Like a posted close request: it takes effect once start-up has finished.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    if (!commandLine.pastaSaida.empty()) {
        pastaSaida_ = commandLine.pastaSaida;
    }

    const bool connected = InternetConectada();
    estado_.InicioConexao(connected);
    Refletir();
    if (connected) {
        ReiniciarConsulta();
    }

    CarregarConfiguracao();
    if (terminando_) {
        return;
    }

    const auto logo = ArquivoDeTrabalho(kLogotipo);
    if (std::filesystem::exists(logo)) {
        img2_.load(Caminho(logo));
    }
}

void TfrmVLPrincipal::CarregarAnimacao() {
    const auto path = Caminho(ArquivoDeTrabalho(kAnimacaoEspera));
    auto* movie = new QMovie(path, QByteArray(), animacao_);
    if (!movie->isValid()) {
        delete movie;
        Dialogo().Caixa(kApplicationTitle, QStringLiteral("Erro ao carregar GIF: \n") + path,
                        Icone::Erro);
        return;
    }
    animacao_->setMovie(movie);
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
    bool consumed = false;
    ExecutarTratador([&] {
        // The window sees every key first, then the control its own key-down.
        FormKeyDown(key);
        if (watched == edtCaptcha && isVisible()) {
            edtCaptchaKeyDown(key);
        }
        consumed = FormKeyPress(key);
    });
    return consumed || key == Qt::Key_Escape;
}

void TfrmVLPrincipal::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TfrmVLPrincipal::FormClose() {
    LimparArquivosDeTrabalho(dependencias_.pastaExecutavel);
}

void TfrmVLPrincipal::tmr1Timer() {
    QCoreApplication::processEvents();
    AtualizarConexao(InternetConectada());
}

void TfrmVLPrincipal::btnFecharClick() {
    ApagarSeExistir(ArquivoDeTrabalho(kImagemCaptcha));
    close();
}

void TfrmVLPrincipal::Configurar1Click() {
    const auto typed = Dialogo().Entrada(QStringLiteral("Informe a senha para acessar."),
                                         QStringLiteral("Digite a senha"));
    if (!typed) {
        return;
    }
    if (typed->toStdString() != CodigoDeAcesso(dependencias_.hoje())) {
        Dialogo().Mensagem(QStringLiteral("Senha informada está errada. Tente novamente."));
        return;
    }
    MostrarConfigurador();
}

void TfrmVLPrincipal::WebBrowser1DocumentComplete() {
    const OverlayGuard overlay(*this, OverlayGuard::When::OnError);
    QCoreApplication::processEvents();
    const auto& addresses = dependencias_.enderecos;
    switch (portal::PassoDaPagina(addresses, WebBrowser1_->LocationUrl(),
                                  WebBrowser1_->HttpErrorStatus())) {
        case portal::PassoConsulta::MostrarCaptcha:
            MostrarCaptcha();
            break;
        case portal::PassoConsulta::ImprimirDoVisualizador:
            WebBrowser1_->Navigate(addresses.printPage);
            break;
        case portal::PassoConsulta::ImprimirDoResultado:
            estado_.MostrarEspera();
            img1->clear();
            Refletir();
            WebBrowser1_->Navigate(addresses.printPage);
            break;
        case portal::PassoConsulta::CapturarPagina:
            CapturarPagina();
            break;
        case portal::PassoConsulta::NaoEncontrada:
            Dialogo().Caixa(kApplicationTitle,
                            QStringLiteral("NF-e INEXISTENTE na base nacional, favor consultar "
                                           "esta NF-e no site da SEFAZ de origem."),
                            Icone::Erro);
            SequenciaDeReinicio();
            estado_.OcultarEspera();
            Refletir();
            break;
        case portal::PassoConsulta::CaptchaInvalido:
            Dialogo().Caixa(
                kApplicationTitle,
                QStringLiteral("Imagem de segurança informada é inválida. Tente novamente."),
                Icone::Aviso);
            SequenciaDeReinicio();
            break;
        case portal::PassoConsulta::ErroDoPortal:
            Dialogo().Caixa(
                kApplicationTitle,
                QStringLiteral(
                    "Erro encontrado na Sefaz Nacional. Tente novamente em alguns instantes."),
                Icone::Erro);
            SequenciaDeReinicio();
            break;
    }
}

void TfrmVLPrincipal::SequenciaDeReinicio() {
    img1->clear();
    estado_.PaginaDeErro();
    ApagarSeExistir(ArquivoDeTrabalho(kImagemCaptcha));
    ApagarSeExistir(ArquivoDeTrabalho("captcha.jpg"));
    btnNovaConsultaClick();
    if (!estado_.Conectado()) {
        // Without a connection no new query starts: the person must reach the link to ask
        // again once the connection is back.
        estado_.OcultarEspera();
        Refletir();
    }
}

void TfrmVLPrincipal::MostrarCaptcha() {
    const OverlayGuard overlay(*this, OverlayGuard::When::Always);
    const auto body = CorpoDaPagina();
    if (!body) {
        return;
    }
    estado_.Memo2 = capture::SplitLines(nfe::Utf8ToWindows1252(*body));
    const auto captcha = portal::TextoDoCaptcha(capture::JoinPageLines(estado_.Memo2));
    if (!ApararControles(captcha).empty()) {
        portal::SalvarCaptcha(captcha, kCaptchaNoDiretorioAtual);
        img1->setPixmap(QPixmap(QString::fromUtf8(kCaptchaNoDiretorioAtual)));
        estado_.CaptchaShown();
        // Wherever the focus went meanwhile (Enter moves it on, a box takes it), the person
        // types the new characters at once.
        edtCaptcha->setFocus();
    } else {
        Dialogo().Mensagem(
            QStringLiteral("O portal da NFe nacional está com problemas de acesso. Tente "
                           "novamente em alguns minutos."));
    }
}

std::optional<std::string> TfrmVLPrincipal::CorpoDaPagina() {
    auto body = portal::AguardarCorpo(*WebBrowser1_, dependencias_.limiteCorpo);
    if (!body) {
        Dialogo().Mensagem(QString::fromUtf8(portal::kPaginaNaoRespondeu));
    }
    return body;
}

void TfrmVLPrincipal::ValidarConsulta() {
    estado_.chaveNFe = convert::DigitsOnly(nfe::Utf8ToWindows1252(estado_.chaveNFe));
    if (!nfe::IsValidAccessKey("NFe" + estado_.chaveNFe)) {
        Dialogo().Caixa(kApplicationTitle,
                        QStringLiteral("Chave incorreta. Verifique a chave informada."),
                        Icone::Erro);
        return;
    }
    if (TamanhoAparado(edtCaptcha->text()) < 4) {
        Dialogo().Caixa(kApplicationTitle, QStringLiteral("Digite os caracteres da imagem."),
                        Icone::Erro);
        edtCaptcha->setFocus();
        return;
    }
    estado_.ConsultaValidada();
    Refletir();
}

void TfrmVLPrincipal::btnPegarHTMLClick() {
    // Filling the form waits for the page and lets key presses through meanwhile; an Enter
    // among them must not submit the form a second time.
    if (submitting_) {
        return;
    }
    submitting_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{submitting_};

    estado_.MostrarEspera();
    Refletir();
    ValidarConsulta();
    estado_.ConfirmarPressionado();
    try {
        WebBrowser1_->SetElementValue(kCampoChave, estado_.chaveNFe);
        WebBrowser1_->SetElementValue(kCampoCaptcha, edtCaptcha->text().toStdString());
        WebBrowser1_->ClickElement(kBotaoConsultar);
    } catch (...) {
        estado_.FalhaAoPreencher();
        // Nothing was sent, or the page stopped answering: the person must reach the link.
        estado_.OcultarEspera();
        Refletir();
        throw;
    }
    estado_.FormularioEnviado();
    Refletir();
}

void TfrmVLPrincipal::btnDadosClick() {
    if (WebBrowser1_->LocationUrl() != dependencias_.enderecos.resultPage) {
        return;
    }
    estado_.MostrarEspera();
    img1->clear();
    Refletir();
    WebBrowser1_->Navigate(dependencias_.enderecos.printPage);
}

bool TfrmVLPrincipal::edtCaptchaKeyDown(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    if (TamanhoAparado(edtCaptcha->text()) > 3) {
        if (btnPegarHTML->isEnabled()) {
            btnPegarHTMLClick();
        }
    } else {
        Dialogo().Mensagem(QStringLiteral("Informe o codigo da imagem de segurança"));
        edtCaptcha->setFocus();
    }
    return true;
}

void TfrmVLPrincipal::WebBrowser1ShowMessage(const std::string& text) {
    mensagens_.Registrar(text);
}

void TfrmVLPrincipal::tmr2Timer() {
    QCoreApplication::processEvents();
    estado_.edt2 = mensagens_.UltimaMensagem;
    if (mensagens_.ConsumirSinal()) {
        WebBrowser1_->ConfirmMessage();
    }
}

void TfrmVLPrincipal::btnDowClick() {
    WebBrowser1_->ClickElement(kBotaoDownload);
    estado_.DownloadPressionado();
    img1->clear();
    edtCaptcha->clear();
    Refletir();
}

bool TfrmVLPrincipal::WebBrowser1FileDownload(const std::string& address) {
    try {
        const auto target =
            ArquivoDoDownload(estado_.chaveNFe, pastaSaida_, dependencias_.pastaExecutavel);
        portal::BaixarArquivo(
            {address, target,
             std::filesystem::path(QCoreApplication::applicationFilePath().toStdString())
                 .filename()
                 .string(),
             WebBrowser1_->Cookies(address)});
    } catch (...) {
        // Nothing was written and the program stays, so the person can try again.
        estado_.OcultarEspera();
        Refletir();
        throw;
    }
    ApagarSeExistir(ArquivoDeTrabalho(kImagemCaptcha));
    ApagarSeExistir(ArquivoDeTrabalho("captcha.jpg"));
    if (estado_.opcoes.fcon == 0) {
        close();
    }
    estado_.OcultarEspera();
    Refletir();
    return true;
}

void TfrmVLPrincipal::ReiniciarConsulta() {
    if (!estado_.ReiniciarConsulta()) {
        return;
    }
    edtCaptcha->clear();
    Refletir();
    LimparCacheUrl();
    WebBrowser1_->Navigate(dependencias_.enderecos.consultationPage);
}

void TfrmVLPrincipal::CarregarConfiguracao() {
    const auto file = ArquivoDeTrabalho(kArquivoConfiguracao);
    if (!std::filesystem::exists(file)) {
        Dialogo().Mensagem(QStringLiteral("Arquivo de configuração não localizado."));
        MostrarConfigurador();
        return;
    }
    LerOpcoes(file, estado_.opcoes);
    estado_.AplicarOpcoes();
    Refletir();
}

void TfrmVLPrincipal::CapturarPagina() {
    // The waits below let other events run, a second load of the same page among them: one
    // print page gives one capture.
    if (capturando_) {
        return;
    }
    capturando_ = true;
    struct Fim {
        bool& flag;
        ~Fim() { flag = false; }
    } fim{capturando_};

    const OverlayGuard overlay(*this, OverlayGuard::When::Always);
    QCoreApplication::processEvents();
    estado_.InicioDaCaptura();
    img1->clear();
    edtCaptcha->clear();
    Refletir();

    const auto body = CorpoDaPagina();
    if (!body) {
        return;
    }
    estado_.Memo2 = capture::PageLinesFromMarkup(nfe::Utf8ToWindows1252(*body),
                                                 [] { QCoreApplication::processEvents(); });
    img1->clear();
    estado_.FimDaCaptura();
    Refletir();
    ImportarNFe();
}

void TfrmVLPrincipal::ImportarNFe() {
    convert::ConversionSettings settings;
    settings.outputFolder = pastaSaida_;
    settings.executableFolder = dependencias_.pastaExecutavel;
    settings.processPendingEvents = [] { QCoreApplication::processEvents(); };
    settings.showMessage = [this](const std::string& message) {
        Dialogo().Mensagem(QString::fromStdString(message));
    };
    try {
        FPath_ = dependencias_.converter(capture::JoinPageLines(estado_.Memo2), settings);
        img1->clear();
        edtCaptcha->clear();
    } catch (...) {
        Dialogo().Mensagem(QStringLiteral("Erro ao importar a NF-e."));
    }
    estado_.FimDaImportacao();
    Refletir();
    btnFecharClick();
}

void TfrmVLPrincipal::LimparCacheUrl() {
    WebBrowser1_->ClearCache();
}

bool TfrmVLPrincipal::InternetConectada() {
    return dependencias_.internetConnected();
}

void TfrmVLPrincipal::AtualizarConexao(bool connected) {
    estado_.AtualizarConexao(connected);
}

void TfrmVLPrincipal::MostrarConfigurador() {
    TfrmVLConfig dialog(*this);
    Dialogo().Executar(dialog);
}

void TfrmVLPrincipal::Terminar() {
    terminando_ = true;
    dependencias_.terminar();
}

void TfrmVLPrincipal::Refletir() {
    btnPegarHTML->setEnabled(estado_.btnPegarHTML);
    pnl2->move(0, estado_.pnl2Top);
    pnl2->raise();
}

}  // namespace app
