#pragma once

#include <QString>

// Fills `text` on the left with "0" to `width` characters; never cuts ("7" → "0007").
inline QString PadZeros(const QString &text, int width)
{
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), u'0') + text;
}
