#pragma once

#include "platform/Prompts.h"

// Shows nothing and answers every question with "cancel"; counts the message boxes it kept
// quiet ("Error in formula." from a formula that does not parse).
class QuietPrompts final : public Prompts {
public:
    int messages = 0;
    void message(const QString &) override { ++messages; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    bool confirm(const QString &) override { return false; }
    QString input(const QString &, const QString &, const QString &initial) override { return initial; }
    QString saveFile(const FileDialogSpec &) override { return {}; }
    QString openFile(const FileDialogSpec &) override { return {}; }
};
