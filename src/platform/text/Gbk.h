#pragma once

#include <QByteArray>
#include <QString>

// Texts live as QString; these give their bytes in the Chinese GBK code page where bytes
// matter (pinyin initials, the 30-byte name limit, package files). A character that GBK
// cannot hold becomes "?" in ToGbk and counts as two bytes in GbkLength.
QByteArray ToGbk(const QString &text);
QString FromGbk(const QByteArray &bytes);
int GbkLength(const QString &text);

// The longest head of `text` that fits into `maxBytes` GBK bytes; a character is never cut
// in half, so the result may be one byte shorter than the limit.
QString CutToGbkBytes(const QString &text, int maxBytes);

// The GBK bytes of one character (one or two UTF-16 units); empty when GBK cannot hold it.
QByteArray GbkCharBytes(QStringView character);
