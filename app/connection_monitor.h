#pragma once

#include <QObject>
#include <QString>
#include <chrono>

class QTcpSocket;

namespace app {

// Whether the portal's host answers: a TCP connection to it within a short time. The
// question runs in the background, so the once-a-second refresh never holds the window; only
// the first answer at start-up is awaited.
class MonitorConexao : public QObject {
    Q_OBJECT
public:
    MonitorConexao(QString host, quint16 port,
                   std::chrono::milliseconds limit = std::chrono::milliseconds(1500),
                   QObject* parent = nullptr);

    // Asks now and waits for the answer (at most the time limit), handling events meanwhile.
    bool InternetConectada();

    // Starts a new question unless one is under way.
    void Sondar();

    // The answer of the last finished question.
    bool UltimaResposta() const { return conectado_; }

signals:
    void Respondido();

private:
    void Concluir(bool connected);

    QString host_;
    quint16 port_;
    std::chrono::milliseconds limit_;
    QTcpSocket* socket_ = nullptr;
    bool conectado_ = false;
};

}  // namespace app
