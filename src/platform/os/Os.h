#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Everything the programs ask of the operating system: starting programs, documents and the
// browser, the process list, and the service. Tests install a fake.
class Os {
public:
    struct Process {
        qint64 pid = 0;
        QString name;    // the executable's file name
        QString exePath; // full path when known
    };

    virtual ~Os() = default;

    // Starts an executable detached with its arguments; false when it could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // Opens a document or folder with the desktop's default program.
    virtual bool openDocument(const QString &path) = 0;
    // Starts a web browser for a web address or a local page.
    virtual bool openInBrowser(const QString &target) = 0;
    virtual QList<Process> processes() = 0;
    virtual bool terminateProcess(qint64 pid) = 0;
    virtual bool stopService(const QString &name) = 0;
    virtual bool startService(const QString &name) = 0;

    static Os &instance();
    // Installs `os` (not owned) and returns the previous one; nullptr restores the real one.
    static Os *install(Os *os);
};
