#include "allocation/CalcNumber.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace calc {

namespace {

// Powers of ten that an 80-bit value holds exactly (5^27 < 2^64).
constexpr std::array<long double, 28> kPowersOfTen = [] {
    std::array<long double, 28> table{};
    long double p = 1;
    for (long double &entry : table) {
        entry = p;
        p *= 10;
    }
    return table;
}();

// Significant digits handed to strtold at most; a further non-zero digit is kept as a sticky
// digit so that rounding still sees it. Bounds the cost of absurdly long literals.
constexpr std::size_t kMaxSlowDigits = 5000;

inline bool isExponentMark(QChar c) { return c == u'e' || c == u'E'; }

// The exponent after the mark, capped far beyond the extended range.
long long exponentOf(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    long long exponent = 0;
    for (QChar c : text)
        if (exponent < 100000000)
            exponent = exponent * 10 + (c.unicode() - u'0');
    return negative ? -exponent : exponent;
}

// Correctly rounded through the C library, from the significant digits alone (no decimal
// separator, so the process locale does not matter).
long double slowValue(QStringView literal, bool &outOfRange)
{
    std::string digits;
    long long scale = 0;
    bool sticky = false;
    bool fraction = false;
    qsizetype i = 0;
    for (; i < literal.size() && !isExponentMark(literal[i]); ++i) {
        const char16_t c = literal[i].unicode();
        if (c == u'.') {
            fraction = true;
            continue;
        }
        if (digits.empty() && c == u'0') {
            if (fraction)
                --scale;
            continue;
        }
        if (digits.size() < kMaxSlowDigits) {
            digits += char(c);
            if (fraction)
                --scale;
        } else {
            if (!fraction)
                ++scale;
            sticky = sticky || c != u'0';
        }
    }
    if (digits.empty())
        return 0;
    if (sticky) {
        digits += '1';
        --scale;
    }
    if (i < literal.size())
        scale += exponentOf(literal.mid(i + 1));
    scale = std::clamp(scale, -1000000000LL, 1000000000LL);
    digits += 'e';
    digits += std::to_string(scale);
    const long double result = std::strtold(digits.c_str(), nullptr);
    if (std::isinf(result)) {
        outOfRange = true;
        return 0;
    }
    return result;
}

} // namespace

NumberLiteral ReadNumber(QStringView text, qsizetype start)
{
    const auto atDigit = [&text](qsizetype i) { return i < text.size() && text[i] >= u'0' && text[i] <= u'9'; };
    NumberLiteral number;
    std::uint64_t mantissa = 0;
    int digits = 0;      // significant digits held in mantissa
    long long scale = 0; // value = mantissa * 10^scale
    bool exact = true;   // no non-zero digit dropped
    qsizetype i = start;
    const auto takeDigits = [&](bool fraction) {
        for (; atDigit(i); ++i) {
            const unsigned d = text[i].unicode() - u'0';
            if (digits < 19) {
                mantissa = mantissa * 10 + d;
                if (mantissa != 0)
                    ++digits;
                if (fraction)
                    --scale;
            } else {
                if (!fraction)
                    ++scale;
                exact = exact && d == 0;
            }
        }
    };
    takeDigits(false);
    if (i < text.size() && text[i] == u'.') {
        if (!atDigit(i + 1))
            return number;
        ++i;
        takeDigits(true);
    }
    if (i < text.size() && isExponentMark(text[i])) {
        const qsizetype mark = i++;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (!atDigit(i))
            return number;
        while (atDigit(i))
            ++i;
        scale += exponentOf(text.mid(mark + 1, i - mark - 1));
    }
    number.end = i;
    if (mantissa == 0) {
        number.value = 0;
    } else if (exact && scale >= -27 && scale <= 27) {
        // One correctly rounded operation on exact operands.
        const long double m = static_cast<long double>(mantissa);
        number.value = scale >= 0 ? m * kPowersOfTen[size_t(scale)] : m / kPowersOfTen[size_t(-scale)];
    } else {
        number.value = slowValue(text.mid(start, i - start), number.outOfRange);
    }
    return number;
}

} // namespace calc
