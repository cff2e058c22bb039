#include "platform/Prompts.h"

#include <QDebug>

namespace {

class LogPrompts final : public Prompts {
public:
    void message(const QString &text) override { qWarning().noquote() << text; }
    void information(const QString &text) override { qWarning().noquote() << text; }
    void warning(const QString &text) override { qWarning().noquote() << text; }
    bool confirm(const QString &text) override
    {
        qWarning().noquote() << text;
        return false;
    }
    QString input(const QString &, const QString &, const QString &initial) override { return initial; }
    QString saveFile(const FileDialogSpec &) override { return {}; }
    QString openFile(const FileDialogSpec &) override { return {}; }
};

LogPrompts g_logPrompts;
Prompts *g_current = &g_logPrompts;

} // namespace

Prompts &Prompts::instance()
{
    return *g_current;
}

Prompts *Prompts::install(Prompts *p)
{
    Prompts *previous = g_current;
    g_current = p ? p : &g_logPrompts;
    return previous;
}
