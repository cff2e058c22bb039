#include "platform/text/Pinyin.h"

#include "platform/text/Gbk.h"

namespace {

struct Row {
    char letter;
    unsigned first;
    unsigned last;
};

// First-level GB 2312 characters are sorted by pinyin; I, U and V start no syllable.
constexpr Row kRows[] = {
    {'A', 0xB0A1, 0xB0C4}, {'B', 0xB0C5, 0xB2C0}, {'C', 0xB2C1, 0xB4ED}, {'D', 0xB4EE, 0xB6E9},
    {'E', 0xB6EA, 0xB7A1}, {'F', 0xB7A2, 0xB8C0}, {'G', 0xB8C1, 0xB9FD}, {'H', 0xB9FE, 0xBBF6},
    {'J', 0xBBF7, 0xBFA5}, {'K', 0xBFA6, 0xC0AB}, {'L', 0xC0AC, 0xC2E7}, {'M', 0xC2E8, 0xC4C2},
    {'N', 0xC4C3, 0xC5B5}, {'O', 0xC5B6, 0xC5BD}, {'P', 0xC5BE, 0xC6D9}, {'Q', 0xC6DA, 0xC8BA},
    {'R', 0xC8BB, 0xC8F5}, {'S', 0xC8F6, 0xCBF9}, {'T', 0xCBFA, 0xCDD9}, {'W', 0xCDDA, 0xCEF3},
    {'X', 0xCEF4, 0xD188}, {'Y', 0xD189, 0xD4D0}, {'Z', 0xD4D1, 0xD7F9},
};

} // namespace

QChar PinyinInitial(unsigned code)
{
    for (const Row &row : kRows)
        if (code >= row.first && code <= row.last)
            return QChar::fromLatin1(row.letter);
    return QLatin1Char(' ');
}

QChar PinyinInitial(const QByteArray &gbk)
{
    if (gbk.isEmpty())
        return QLatin1Char(' ');
    const unsigned first = uchar(gbk.at(0));
    const unsigned second = gbk.size() > 1 ? uchar(gbk.at(1)) : 0u;
    return PinyinInitial(first * 256 + second);
}

QString PinyinInitials(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            result += c;
            ++i;
            continue;
        }
        const qsizetype len = (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QByteArray bytes = GbkCharBytes(QStringView(text).mid(i, len));
        // A character GBK cannot hold, or a single high byte, has no row: a space.
        result += bytes.size() >= 2 ? PinyinInitial(bytes) : QLatin1Char(' ');
        i += len;
    }
    return result;
}
