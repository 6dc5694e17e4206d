#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "dfe/secret.h"
#include "inbox/child_commands.h"

namespace inbox {

// One vellora-dfe command running beside the window: its output lines feed the progress line,
// and the person may stop it. The window's own thread stays free meanwhile.
class ChildRun : public QObject {
    Q_OBJECT
public:
    ChildRun(std::filesystem::path program, QObject* parent = nullptr);
    ~ChildRun() override;

    // Starts the command; environment holds variables added to the window's own for this child
    // only. false when one is running already or the program cannot be started.
    bool Start(const Arguments& arguments, const std::map<std::string, dfe::Secret>& environment);
    bool Running() const;
    // Ends the child: asked to end first, then killed if it does not.
    void Cancel();
    // Everything the child wrote, standard output and error together.
    const QString& Output() const { return output_; }

signals:
    void Line(const QString& line);
    void Finished(int exitStatus, bool cancelled);

private:
    void ReadLines();

    std::filesystem::path program_;
    QProcess process_;
    QByteArray pending_;
    QString output_;
    bool cancelled_ = false;
};

}  // namespace inbox
