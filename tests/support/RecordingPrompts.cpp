#include "RecordingPrompts.h"

RecordingPrompts::RecordingPrompts() : m_previous(Prompts::install(this)) {}

RecordingPrompts::~RecordingPrompts()
{
    Prompts::install(m_previous);
}

QStringList RecordingPrompts::messages() const
{
    QStringList result;
    for (const Shown &s : shown)
        if (s.kind == QLatin1String("message") || s.kind == QLatin1String("information")
            || s.kind == QLatin1String("warning"))
            result << s.text;
    return result;
}

QStringList RecordingPrompts::texts(const QString &kind) const
{
    QStringList result;
    for (const Shown &s : shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

QString RecordingPrompts::lastMessage() const
{
    const QStringList all = messages();
    return all.isEmpty() ? QString() : all.constLast();
}

void RecordingPrompts::message(const QString &text)
{
    shown.append({QStringLiteral("message"), text, {}, {}, {}});
}

void RecordingPrompts::information(const QString &text)
{
    shown.append({QStringLiteral("information"), text, {}, {}, {}});
}

void RecordingPrompts::warning(const QString &text)
{
    shown.append({QStringLiteral("warning"), text, {}, {}, {}});
}

bool RecordingPrompts::confirm(const QString &text)
{
    shown.append({QStringLiteral("confirm"), text, {}, {}, {}});
    return confirmAnswers.isEmpty() ? true : confirmAnswers.dequeue();
}

QString RecordingPrompts::input(const QString &title, const QString &prompt, const QString &initial)
{
    shown.append({QStringLiteral("input"), prompt, title, initial, {}});
    return inputAnswers.isEmpty() ? initial : inputAnswers.dequeue();
}

QString RecordingPrompts::saveFile(const FileDialogSpec &request)
{
    shown.append({QStringLiteral("saveFile"), request.title, request.title, request.fileName, request});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString RecordingPrompts::openFile(const FileDialogSpec &request)
{
    shown.append({QStringLiteral("openFile"), request.title, request.title, request.fileName, request});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}
