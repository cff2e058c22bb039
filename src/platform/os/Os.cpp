#include "platform/os/Os.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <sys/types.h>

namespace {

bool runQuietly(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForStarted(timeoutMs))
        return false;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool processAlive(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0;
}

class SystemOs final : public Os {
public:
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        const QFileInfo info(program);
        if (!info.exists() || !info.isExecutable() || info.isDir())
            return false;
        return QProcess::startDetached(info.absoluteFilePath(), arguments, info.absolutePath());
    }

    bool openDocument(const QString &path) override
    {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return false;
        return QProcess::startDetached(opener, {path});
    }

    bool openInBrowser(const QString &target) override
    {
        // A browser is started for the purpose, as on the desktop the help page is meant for;
        // xdg-open is only the last resort because it may hand a local page to an editor.
        static const char *const browsers[] = {"x-www-browser", "sensible-browser", "firefox-esr",
                                               "firefox", "chromium", "google-chrome", "xdg-open"};
        const QUrl url = QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile);
        const QString argument = url.isValid() ? url.toString() : target;
        for (const char *name : browsers) {
            const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!exe.isEmpty())
                return QProcess::startDetached(exe, {argument});
        }
        return false;
    }

    QList<Process> processes() override
    {
        QList<Process> result;
        const QDir proc(QStringLiteral("/proc"));
        const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            bool ok = false;
            const qint64 pid = entry.toLongLong(&ok);
            if (!ok)
                continue;
            Process p;
            p.pid = pid;
            p.exePath = QFileInfo(proc.filePath(entry + QStringLiteral("/exe"))).symLinkTarget();
            if (!p.exePath.isEmpty()) {
                p.name = QFileInfo(p.exePath).fileName();
            } else {
                QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
                if (comm.open(QIODevice::ReadOnly))
                    p.name = QString::fromLocal8Bit(comm.readAll()).trimmed();
            }
            if (!p.name.isEmpty())
                result.append(p);
        }
        return result;
    }

    bool terminateProcess(qint64 pid) override
    {
        if (pid <= 0 || ::kill(static_cast<pid_t>(pid), SIGTERM) != 0)
            return false;
        // Give the program a moment to finish its current statement, then insist.
        QElapsedTimer timer;
        timer.start();
        while (processAlive(pid) && timer.elapsed() < 3000)
            QThread::msleep(50);
        if (processAlive(pid))
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        return true;
    }

    bool stopService(const QString &name) override
    {
        return runQuietly(QStringLiteral("systemctl"), {QStringLiteral("stop"), name}, 60000);
    }

    bool startService(const QString &name) override
    {
        return runQuietly(QStringLiteral("systemctl"), {QStringLiteral("start"), name}, 60000);
    }
};

SystemOs g_systemOs;
Os *g_os = &g_systemOs;

} // namespace

Os &Os::instance()
{
    return *g_os;
}

Os *Os::install(Os *os)
{
    Os *previous = g_os;
    g_os = os ? os : &g_systemOs;
    return previous;
}
