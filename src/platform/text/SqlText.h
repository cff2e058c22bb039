#pragma once

#include <QString>

// Text values reach SQL only through these: a single quote inside a value is written twice.
inline QString SqlEscape(const QString &value)
{
    QString result = value;
    return result.replace(QLatin1Char('\''), QLatin1String("''"));
}

// The value between single quotes, ready to stand in a statement.
inline QString QuotedStr(const QString &value)
{
    return QLatin1Char('\'') + SqlEscape(value) + QLatin1Char('\'');
}
