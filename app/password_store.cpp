#include "app/password_store.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

namespace app {

namespace {

const QString kKeyringService = QStringLiteral("Vellora");
constexpr int kKeyringWaitMs = 10'000;

// Starts the job and waits for its end, for kKeyringWaitMs at most; false when the keyring did
// not answer in time or answered with an error (a cancelled prompt among them). The job
// deletes itself once it ends, also when that is after the wait gave up.
bool RunJob(QKeychain::Job* job, const std::string& certificate, QString* text = nullptr) {
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(QString::fromStdString(certificate));
    QEventLoop loop;
    bool answered = false;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job* ended) {
        answered = ended->error() == QKeychain::NoError;
        if (answered && text != nullptr) {
            *text = static_cast<QKeychain::ReadPasswordJob*>(ended)->textData();
        }
        loop.quit();
    });
    QTimer::singleShot(kKeyringWaitMs, &loop, &QEventLoop::quit);
    job->start();
    loop.exec();
    return answered;
}

}  // namespace

std::optional<dfe::Secret> KeychainPasswordStore::Read(const std::string& certificate) {
    QString text;
    if (!RunJob(new QKeychain::ReadPasswordJob(kKeyringService), certificate, &text)) {
        return std::nullopt;
    }
    return dfe::Secret(text.toStdString());
}

bool KeychainPasswordStore::Save(const std::string& certificate, const dfe::Secret& password) {
    auto* job = new QKeychain::WritePasswordJob(kKeyringService);
    job->setTextData(
        QString::fromUtf8(password.view().data(), static_cast<qsizetype>(password.view().size())));
    return RunJob(job, certificate);
}

void KeychainPasswordStore::Remove(const std::string& certificate) {
    RunJob(new QKeychain::DeletePasswordJob(kKeyringService), certificate);
}

}  // namespace app
