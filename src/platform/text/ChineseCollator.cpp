#include "platform/text/ChineseCollator.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

const QCollator &collator()
{
    static const QCollator instance = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
        c.setCaseSensitivity(Qt::CaseSensitive);
        c.setNumericMode(false);
        return c;
    }();
    return instance;
}

bool isHan(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x20000 && c <= 0x2FA1F)
        || (c >= 0xF900 && c <= 0xFAFF);
}

// The code point of `text` that contains the UTF-16 unit at `i`.
char32_t codePointAt(QStringView text, qsizetype i)
{
    if (text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
        --i;
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
    return text.at(i).unicode();
}

} // namespace

int CompareByName(const QString &a, const QString &b)
{
    // The Chinese collation puts Han characters before Latin letters; a Chinese desktop lists
    // "A部" before "财务部", so where the first difference is Han against anything else, the
    // other character comes first. Everything else is the collator's pinyin order.
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a.at(i) == b.at(i))
        ++i;
    if (i < n) {
        const bool hanA = isHan(codePointAt(a, i)), hanB = isHan(codePointAt(b, i));
        if (hanA != hanB)
            return hanA ? 1 : -1;
    }
    const int c = collator().compare(a, b);
    if (c != 0)
        return c;
    // Texts the collator finds equal still get one fixed order.
    return QString::compare(a, b, Qt::CaseSensitive);
}

void SortByName(QStringList &list)
{
    std::stable_sort(list.begin(), list.end(), LessByName);
}
