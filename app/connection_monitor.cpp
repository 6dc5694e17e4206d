#include "app/connection_monitor.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <utility>

namespace app {

MonitorConexao::MonitorConexao(QString host, quint16 port, std::chrono::milliseconds limit,
                               QObject* parent)
    : QObject(parent), host_(std::move(host)), port_(port), limit_(limit) {}

bool MonitorConexao::InternetConectada() {
    QEventLoop loop;
    connect(this, &MonitorConexao::Respondido, &loop, &QEventLoop::quit);
    Sondar();
    if (socket_ != nullptr) {
        loop.exec();
    }
    return conectado_;
}

void MonitorConexao::Sondar() {
    if (socket_ != nullptr) {
        return;
    }
    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::connected, this, [this] { Concluir(true); });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] { Concluir(false); });
    QTimer::singleShot(limit_, socket_, [this] { Concluir(false); });
    socket_->connectToHost(host_, port_);
}

void MonitorConexao::Concluir(bool connected) {
    if (socket_ == nullptr) {
        return;
    }
    auto* socket = std::exchange(socket_, nullptr);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    conectado_ = connected;
    emit Respondido();
}

}  // namespace app
