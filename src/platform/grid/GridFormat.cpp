#include "platform/grid/GridFormat.h"

#include "platform/db/DbError.h"
#include "platform/db/Values.h"
#include "platform/text/AmountFormat.h"

#include <QLocale>

#include <cmath>
#include <cstdio>

namespace {

bool isDigitPlace(QChar c)
{
    return c == u'0' || c == u'#';
}

// The pattern split into literal text before, the number part, and literal text after.
struct NumberPattern {
    QString prefix, suffix;
    int minInt = 0;  // 0 places before the point
    int minDec = 0;  // 0 places after the point
    int maxDec = 0;  // all places after the point
    bool grouping = false;
};

QString literal(const QString &text)
{
    // Quoted runs ('...' or "...") are literal as well; the quotes are not shown.
    QString out;
    for (QChar c : text)
        if (c != u'\'' && c != u'"')
            out += c;
    return out;
}

NumberPattern parse(const QString &pattern)
{
    NumberPattern p;
    int start = 0;
    while (start < pattern.size() && !isDigitPlace(pattern.at(start)))
        ++start;
    int end = start;
    while (end < pattern.size()
           && (isDigitPlace(pattern.at(end)) || pattern.at(end) == u'.' || pattern.at(end) == u','))
        ++end;
    p.prefix = literal(pattern.left(start));
    p.suffix = literal(pattern.mid(end));
    bool afterPoint = false;
    for (int i = start; i < end; ++i) {
        const QChar c = pattern.at(i);
        if (c == u'.') {
            afterPoint = true;
        } else if (c == u',') {
            if (!afterPoint)
                p.grouping = true;
        } else if (afterPoint) {
            ++p.maxDec;
            if (c == u'0')
                p.minDec = p.maxDec;
        } else if (c == u'0') {
            ++p.minInt;
        }
    }
    return p;
}

QString apply(const QString &decimalText, const NumberPattern &p)
{
    QString text = RoundDecimalText(decimalText, p.maxDec);
    if (text.isEmpty())
        return decimalText;
    const bool negative = text.startsWith(u'-'); // never for a value that rounds to zero
    if (negative)
        text.remove(0, 1);
    QString whole = text.section(u'.', 0, 0);
    QString fraction = text.section(u'.', 1);
    while (fraction.size() > p.minDec && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (p.minInt == 0 && whole == QLatin1String("0"))
        whole.clear();
    while (whole.size() < p.minInt)
        whole.prepend(u'0');
    if (p.grouping)
        for (int i = int(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(i, u',');
    if (whole.isEmpty() && fraction.isEmpty())
        whole = QStringLiteral("0");
    QString out = p.prefix;
    if (negative)
        out += u'-';
    out += whole;
    if (!fraction.isEmpty())
        out += u'.' + fraction;
    return out + p.suffix;
}

} // namespace

bool IsNumberFormat(const QString &pattern)
{
    for (QChar c : pattern)
        if (isDigitPlace(c))
            return true;
    return false;
}

QString FormatNumber(double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return FormatAmount(value);
    return apply(QString::number(value, 'g', QLocale::FloatingPointShortest), parse(pattern));
}

QString FormatNumber(long double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return FormatAmount(value);
    // A sum of doubles is good to 15 significant digits; reading it at that precision drops
    // the binary noise of its terms, so 0.1 + 0.2 + 2.675 shows as 2.98.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    return apply(QString::fromLatin1(buffer), parse(pattern));
}

bool NumberOfValue(const QVariant &value, double &number)
{
    if (db::isNumberValue(value)) {
        number = value.toDouble();
        return true;
    }
    bool ok = false;
    number = value.toString().trimmed().toDouble(&ok);
    return ok;
}

QString FormatDisplayValue(const QVariant &value, const QString &pattern)
{
    if (value.isNull())
        return QString();
    if (pattern.isEmpty())
        return db::valueToText(value);
    if (IsNumberFormat(pattern)) {
        double number = 0;
        return NumberOfValue(value, number) ? FormatNumber(number, pattern) : db::valueToText(value);
    }
    try {
        const QDateTime when = db::valueToDateTime(value);
        return when.isValid() ? when.toString(pattern) : db::valueToText(value);
    } catch (const db::DbError &) {
        return db::valueToText(value); // a value that is no date is shown as it is stored
    }
}
