#include "platform/text/AmountFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// value = sign * 0.digits * 10^pointPos
QString roundDigits(bool negative, std::string digits, int pointPos, int decimals)
{
    // Lay the digits out as integer part and fraction.
    std::string intPart, frac;
    if (pointPos <= 0) {
        intPart = "0";
        frac = std::string(size_t(-pointPos), '0') + digits;
    } else if (size_t(pointPos) >= digits.size()) {
        intPart = digits + std::string(size_t(pointPos) - digits.size(), '0');
    } else {
        intPart = digits.substr(0, size_t(pointPos));
        frac = digits.substr(size_t(pointPos));
    }
    if (frac.size() < size_t(decimals) + 1)
        frac.append(size_t(decimals) + 1 - frac.size(), '0');
    const bool roundUp = frac[size_t(decimals)] >= '5';
    std::string kept = intPart + frac.substr(0, size_t(decimals));
    if (roundUp) {
        int i = int(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[size_t(i)] == '9') {
                kept[size_t(i)] = '0';
            } else {
                ++kept[size_t(i)];
                break;
            }
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
    }
    std::string whole = kept.substr(0, kept.size() - size_t(decimals));
    const std::string fraction = kept.substr(kept.size() - size_t(decimals));
    const size_t nonZero = whole.find_first_not_of('0');
    whole = nonZero == std::string::npos ? "0" : whole.substr(nonZero);
    const bool isZero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string out = (negative && !isZero) ? "-" : "";
    out += whole;
    if (decimals > 0)
        out += "." + fraction;
    return QString::fromStdString(out);
}

// Parses "d.ddde±x" (what to_chars and printf give in scientific form).
QString roundScientific(const char *text, int decimals)
{
    bool negative = false;
    if (*text == '-') {
        negative = true;
        ++text;
    }
    std::string digits;
    int exponent = 0;
    const char *p = text;
    for (; *p && *p != 'e' && *p != 'E'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    if (*p)
        exponent = std::atoi(p + 1);
    return roundDigits(negative, digits, exponent + 1, decimals);
}

QString nonFinite(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString FormatAmount(double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific);
    *result.ptr = '\0';
    return roundScientific(buffer, 2);
}

QString FormatAmount(long double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", value);
    return roundScientific(buffer, 2);
}

QString RoundDecimalText(const QString &text, int decimals)
{
    const std::string s = text.trimmed().toStdString();
    if (s.empty())
        return QString();
    size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') {
        negative = s[i] == '-';
        ++i;
    }
    std::string digits;
    int pointPos = -1;
    bool any = false;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            if (pointPos >= 0)
                return QString();
            pointPos = int(digits.size());
        } else if (s[i] >= '0' && s[i] <= '9') {
            digits += s[i];
            any = true;
        } else {
            return QString();
        }
    }
    if (!any)
        return QString();
    if (pointPos < 0)
        pointPos = int(digits.size());
    if (i < s.size()) {
        const std::string exp = s.substr(i + 1);
        if (exp.empty() || exp.find_first_not_of("+-0123456789") != std::string::npos)
            return QString();
        pointPos += std::atoi(exp.c_str());
    }
    return roundDigits(negative, digits, pointPos, decimals);
}
