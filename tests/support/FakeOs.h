#pragma once

#include "platform/os/Os.h"

#include <QList>
#include <QSet>
#include <QStringList>

// An Os for tests: installs itself for its lifetime and records every request; nothing is
// started, opened or ended for real.
class FakeOs final : public Os {
public:
    struct Call {
        QString what;      // "startProgram", "openDocument", "openInBrowser", "terminate", "stopService", "startService"
        QString target;    // program, document, address, service name, or pid as text
        QStringList arguments;
    };

    FakeOs();
    ~FakeOs() override;
    FakeOs(const FakeOs &) = delete;
    FakeOs &operator=(const FakeOs &) = delete;

    QList<Call> calls;
    QList<Process> runningProcesses; // what processes() reports; terminate removes entries
    bool startSucceeds = true;
    bool serviceSucceeds = true;
    QSet<qint64> refuseTerminate; // pids that cannot be ended

    QStringList targets(const QString &what) const;

    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool openDocument(const QString &path) override;
    bool openInBrowser(const QString &target) override;
    QList<Process> processes() override;
    bool terminateProcess(qint64 pid) override;
    bool stopService(const QString &name) override;
    bool startService(const QString &name) override;

private:
    Os *m_previous;
};
