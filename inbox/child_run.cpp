#include "inbox/child_run.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <QTimer>

namespace inbox {
namespace {

constexpr int kGraceMilliseconds = 3000;

}  // namespace

ChildRun::ChildRun(std::filesystem::path program, QObject* parent)
    : QObject(parent), program_(std::move(program)) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    // No terminal to ask: vellora-dfe must never wait for a password typed on one.
    process_.setInputChannelMode(QProcess::ManagedInputChannel);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &ChildRun::ReadLines);
    connect(&process_, &QProcess::finished, this, [this](int status, QProcess::ExitStatus how) {
        ReadLines();
        if (!pending_.isEmpty()) {
            pending_.append('\n');
            ReadLines();
        }
        emit Finished(how == QProcess::NormalExit ? status : -1, cancelled_);
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            output_ += QStringLiteral("O programa %1 não pôde ser iniciado.\n")
                           .arg(QString::fromStdString(program_.string()));
            emit Finished(-1, false);
        }
    });
}

ChildRun::~ChildRun() {
    if (Running()) {
        process_.kill();
        process_.waitForFinished(kGraceMilliseconds);
    }
}

bool ChildRun::Start(const Arguments& arguments,
                     const std::map<std::string, dfe::Secret>& environment) {
    if (Running()) {
        return false;
    }
    cancelled_ = false;
    pending_.clear();
    output_.clear();
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment) {
        variables.insert(QString::fromStdString(name), QString::fromUtf8(value.c_str()));
    }
    process_.setProcessEnvironment(variables);
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    process_.start(QString::fromStdString(program_.string()), list);
    // The password is handed over with the environment at the start; nothing keeps it here.
    process_.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process_.closeWriteChannel();
    return true;
}

bool ChildRun::Running() const {
    return process_.state() != QProcess::NotRunning;
}

void ChildRun::Cancel() {
    if (!Running()) {
        return;
    }
    cancelled_ = true;
    process_.terminate();
    QTimer::singleShot(kGraceMilliseconds, this, [this] {
        if (Running()) {
            process_.kill();
        }
    });
}

void ChildRun::ReadLines() {
    pending_ += process_.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending_.left(end));
        pending_.remove(0, end + 1);
        output_ += line + QLatin1Char('\n');
        emit Line(line);
    }
}

}  // namespace inbox
