#pragma once

#include <QChar>
#include <QString>

// The initial letter of the first-level GB 2312 character with this GBK code
// (first byte * 256 + second byte); a space for any code outside the table.
QChar PinyinInitial(unsigned code);
// Same, for a text whose first two bytes in GBK are one double-byte character.
QChar PinyinInitial(const QByteArray &gbk);

// ASCII passes through, every other character becomes its initial letter or a space:
// "ab张三12" gives "abZS12".
QString PinyinInitials(const QString &text);
