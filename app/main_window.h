#pragma once

#include <QPixmap>
#include <QWidget>
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
#include "app/window_state.h"
#include "convert/convert_page_text.h"
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
struct Dependencias {
    std::filesystem::path pastaExecutavel;
    // The command line, UTF-8; [0] is the program.
    std::vector<std::string> argumentos;
    Dialogos* dialogos = nullptr;
    portal::PortalAddresses enderecos = portal::PortalAddresses::FromEnvironment();
    std::function<std::unique_ptr<portal::Browser>(QWidget* host)> criarNavegador;
    // The system's connection state: whether this machine is connected to a network.
    std::function<bool()> internetConnected;
    std::function<DataCivil()> hoje;
    std::function<std::filesystem::path(std::string_view pageLines,
                                        const convert::ConversionSettings&)>
        converter;
    // How long the captcha step and the page capture wait for a page's body.
    std::chrono::milliseconds limiteCorpo = std::chrono::seconds(30);
    // Ends the application (the settings dialog closed on a first start without saving).
    std::function<void()> terminar;
};

// The main window: the captcha strip the person sees, the wait overlay, the hidden browser,
// and the state of every other action (EstadoJanela).
class TfrmVLPrincipal : public QWidget {
    Q_OBJECT
public:
    explicit TfrmVLPrincipal(Dependencias dependencias);
    ~TfrmVLPrincipal() override;

    // Runs a handler; an error that escapes it is shown in an error box and the program goes on.
    void ExecutarTratador(const std::function<void()>& handler);

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
    void WebBrowser1DocumentComplete();
    void btnPegarHTMLClick();
    void btnDadosClick();
    void Button1Click() { ValidarConsulta(); }
    // True when the key has been handled (Enter).
    bool edtCaptchaKeyDown(int key);
    void WebBrowser1ShowMessage(const std::string& text);
    void tmr2Timer();
    void btnDowClick();
    // Returns true: the download is always the program's, never the browser's.
    bool WebBrowser1FileDownload(const std::string& address);

    // Operations.
    void ReiniciarConsulta();
    void ValidarConsulta();
    void MostrarCaptcha();
    void CarregarConfiguracao();
    void CapturarPagina();
    void ImportarNFe();
    void LimparCacheUrl();
    bool InternetConectada();
    void AtualizarConexao(bool connected);
    void MostrarConfigurador();
    void Terminar();

    // Shows on screen what the state says: "CONFIRMAR" and the wait overlay.
    void Refletir();

    EstadoJanela& Estado() { return estado_; }
    const portal::MensagensDaPagina& Mensagens() const { return mensagens_; }
    portal::Browser& WebBrowser1() { return *WebBrowser1_; }
    Dialogos& Dialogo() { return *dependencias_.dialogos; }
    const Dependencias& Ambiente() const { return dependencias_; }
    const std::string& PastaSaida() const { return pastaSaida_; }
    const std::filesystem::path& FPath() const { return FPath_; }
    std::filesystem::path ArquivoDeTrabalho(std::string_view name) const {
        return dependencias_.pastaExecutavel / name;
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
    void CarregarAnimacao();
    // The page's body; nullopt, after saying that the page did not answer, when it does not
    // come in time.
    std::optional<std::string> CorpoDaPagina();
    // After an error page: the picture cleared, the captcha files deleted, a new query.
    void SequenciaDeReinicio();

    Dependencias dependencias_;
    EstadoJanela estado_;
    std::string pastaSaida_;
    std::filesystem::path FPath_;
    QPixmap img2_;
    QLabel* animacao_;
    QTimer* tmr1_;
    QTimer* tmr2_;
    portal::MensagensDaPagina mensagens_;
    std::unique_ptr<portal::Browser> WebBrowser1_;
    bool capturando_ = false;
    bool submitting_ = false;
    bool terminando_ = false;
};

}  // namespace app
