#include "app/password_store.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace app {

namespace {

const QString kKeyringService = QStringLiteral("Vellora");

// Starts the job and waits for its end.
void RunJob(QKeychain::Job& job, const std::string& certificate) {
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    job.setKey(QString::fromStdString(certificate));
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
}

}  // namespace

std::optional<dfe::Secret> KeychainPasswordStore::Read(const std::string& certificate) {
    QKeychain::ReadPasswordJob job(kKeyringService);
    RunJob(job, certificate);
    if (job.error() != QKeychain::NoError) {
        return std::nullopt;
    }
    return dfe::Secret(job.textData().toStdString());
}

bool KeychainPasswordStore::Save(const std::string& certificate, const dfe::Secret& password) {
    QKeychain::WritePasswordJob job(kKeyringService);
    job.setTextData(
        QString::fromUtf8(password.view().data(), static_cast<qsizetype>(password.view().size())));
    RunJob(job, certificate);
    return job.error() == QKeychain::NoError;
}

}  // namespace app
