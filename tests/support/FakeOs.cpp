#include "FakeOs.h"

FakeOs::FakeOs() : m_previous(Os::install(this)) {}

FakeOs::~FakeOs()
{
    Os::install(m_previous);
}

QStringList FakeOs::targets(const QString &what) const
{
    QStringList result;
    for (const Call &c : calls)
        if (c.what == what)
            result << c.target;
    return result;
}

bool FakeOs::startProgram(const QString &program, const QStringList &arguments)
{
    calls.append({QStringLiteral("startProgram"), program, arguments});
    return startSucceeds;
}

bool FakeOs::openDocument(const QString &path)
{
    calls.append({QStringLiteral("openDocument"), path, {}});
    return startSucceeds;
}

bool FakeOs::openInBrowser(const QString &target)
{
    calls.append({QStringLiteral("openInBrowser"), target, {}});
    return startSucceeds;
}

QList<Os::Process> FakeOs::processes()
{
    return runningProcesses;
}

bool FakeOs::terminateProcess(qint64 pid)
{
    calls.append({QStringLiteral("terminate"), QString::number(pid), {}});
    if (refuseTerminate.contains(pid))
        return false;
    for (qsizetype i = 0; i < runningProcesses.size(); ++i) {
        if (runningProcesses.at(i).pid == pid) {
            runningProcesses.removeAt(i);
            return true;
        }
    }
    return false;
}

bool FakeOs::stopService(const QString &name)
{
    calls.append({QStringLiteral("stopService"), name, {}});
    return serviceSucceeds;
}

bool FakeOs::startService(const QString &name)
{
    calls.append({QStringLiteral("startService"), name, {}});
    return serviceSucceeds;
}
