#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// A Prompts for tests: installs itself for its lifetime, answers from scripted queues and
// keeps every text that would have been shown.
//
// Unscripted answers: confirm says Yes, input is cancelled (returns the initial text),
// file dialogs are cancelled (return "").
class RecordingPrompts final : public Prompts {
public:
    struct Shown {
        QString kind; // "message", "information", "warning", "confirm", "input", "saveFile", "openFile"
        QString text; // the message, or the input prompt, or the dialog title
        QString title;
        QString initial;
        FileDialogSpec file;
    };

    RecordingPrompts();
    ~RecordingPrompts() override;
    RecordingPrompts(const RecordingPrompts &) = delete;
    RecordingPrompts &operator=(const RecordingPrompts &) = delete;

    // Scripted answers, used in order.
    QQueue<bool> confirmAnswers;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;

    QList<Shown> shown;

    // The texts of message/information/warning boxes, in order.
    QStringList messages() const;
    // Every text of the given kind, in order.
    QStringList texts(const QString &kind) const;
    QString lastMessage() const;
    void clear() { shown.clear(); }

    void message(const QString &text) override;
    void information(const QString &text) override;
    void warning(const QString &text) override;
    bool confirm(const QString &text) override;
    QString input(const QString &title, const QString &prompt, const QString &initial) override;
    QString saveFile(const FileDialogSpec &request) override;
    QString openFile(const FileDialogSpec &request) override;

private:
    Prompts *m_previous;
};
