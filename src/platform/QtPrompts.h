#pragma once

#include "platform/Prompts.h"

// The Prompts of the running programs: Qt message boxes and dialogs over the active window.
class QtPrompts final : public Prompts {
public:
    void message(const QString &text) override;
    void information(const QString &text) override;
    void warning(const QString &text) override;
    bool confirm(const QString &text) override;
    QString input(const QString &title, const QString &prompt, const QString &initial) override;
    QString saveFile(const FileDialogSpec &request) override;
    QString openFile(const FileDialogSpec &request) override;
};
