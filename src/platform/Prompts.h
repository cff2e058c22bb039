#pragma once

#include <QString>

// What a file dialog needs to know; an empty result of saveFile/openFile means "cancelled".
struct FileDialogSpec {
    QString title;
    QString folder;        // starting folder
    QString fileName;      // proposed name (save) or preselected name (open)
    QString filter;        // e.g. "费用分解资料备份文件(*.CBK)"
    QString defaultSuffix; // added to a typed name that has no extension, without the dot
};

// Every message box, question, input box and file dialog of both programs goes through here,
// so that tests can answer them from a script and read back what the user would have seen.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual void message(const QString &text) = 0;     // plain message box, OK
    virtual void information(const QString &text) = 0; // information box, OK
    virtual void warning(const QString &text) = 0;     // warning box, OK only
    virtual bool confirm(const QString &text) = 0;     // warning box Yes/No; false only on No
    // Input box: a cancelled box returns `initial`, as the platform's input box does.
    virtual QString input(const QString &title, const QString &prompt, const QString &initial) = 0;
    virtual QString saveFile(const FileDialogSpec &request) = 0;
    virtual QString openFile(const FileDialogSpec &request) = 0;

    // The process-wide instance. Until one is installed, texts go to the log and questions get
    // their "cancel" answer, so a headless run never blocks.
    static Prompts &instance();
    // Installs `p` (not owned) and returns the previous one; nullptr restores the default.
    static Prompts *install(Prompts *p);
};
