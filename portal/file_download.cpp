#include "portal/file_download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QUrl>
#include <memory>

#include "portal/credential_scope.h"

namespace portal {

void BaixarArquivo(const DownloadRequest& download) {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QString::fromStdString(download.address)));
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(download.agent));
    if (!download.cookies.empty()) {
        request.setRawHeader("Cookie", QByteArray::fromStdString(download.cookies));
    }
    request.setTransferTimeout(static_cast<int>(download.limit.count()));
    // Whatever the request carries (the portal's cookies, the company's certificate) stays
    // with its origin: a redirect elsewhere is not followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    if (download.certificate || !download.trustedAuthorities.empty()) {
        auto tls = QSslConfiguration::defaultConfiguration();
        for (const auto& authority : download.trustedAuthorities) {
            tls.addCaCertificates(QString::fromStdString(authority.string()));
        }
        if (download.certificate) {
            const auto& key = download.certificate->keyPem;
            const auto pem =
                QByteArray::fromRawData(key.view().data(), static_cast<qsizetype>(key.size()));
            QSslKey privateKey(pem, QSsl::Rsa);
            if (privateKey.isNull()) {
                privateKey = QSslKey(pem, QSsl::Ec);
            }
            tls.setLocalCertificateChain(QSslCertificate::fromData(
                QByteArray::fromStdString(download.certificate->chainPem)));
            tls.setPrivateKey(privateKey);
        }
        request.setSslConfiguration(tls);
    }

    QSaveFile file(QString::fromStdString(download.file.string()));
    if (!file.open(QIODevice::WriteOnly)) {
        throw DownloadError("Não foi possível criar o arquivo " + download.file.string() + ".");
    }

    std::unique_ptr<QNetworkReply> reply(network.get(request));
    bool writeFailed = false;
    std::string redirectedTo;
    QObject::connect(reply.get(), &QNetworkReply::redirected, reply.get(), [&](const QUrl& to) {
        if (FollowsRedirect(reply->url(), to)) {
            emit reply->redirectAllowed();
        } else {
            redirectedTo = reply->url().resolved(to).host().toStdString();
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(), [&] {
        const auto piece = reply->readAll();
        if (file.write(piece) != piece.size()) {
            writeFailed = true;
            reply->abort();
        }
    });
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        loop.exec();
    }

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    std::string failure;
    if (!reply->isFinished()) {
        // The wait ended before the reply did: the program is closing. What came so far is
        // not the file.
        reply->abort();
        failure = "A transferência foi interrompida.";
    } else if (!redirectedTo.empty()) {
        failure = "O servidor o redirecionou para outro endereço (" + redirectedTo +
                  "), que não foi seguido.";
    } else if (writeFailed) {
        failure = "Não foi possível gravar o arquivo " + download.file.string() + ".";
    } else if (status != 0 && (status < 200 || status > 299)) {
        failure = "O servidor respondeu com o código HTTP " + std::to_string(status) + ".";
    } else if (reply->error() != QNetworkReply::NoError) {
        failure = reply->errorString().toStdString();
    } else {
        file.write(reply->readAll());
    }
    if (!failure.empty()) {
        file.cancelWriting();
        throw DownloadError("O download do arquivo não foi concluído. " + failure);
    }
    if (!file.commit()) {
        throw DownloadError("Não foi possível gravar o arquivo " + download.file.string() + ".");
    }
}

}  // namespace portal
