#pragma once

#include <QStringView>

namespace calc {

// A number literal without sign: digits, optionally "." and digits, optionally "e" or "E", a
// sign and digits.
struct NumberLiteral {
    qsizetype end = -1;      // position after the literal; -1 for a wrong number ("1.", "1e", "1e+")
    long double value = 0;   // the nearest extended value; 0 below the extended range
    bool outOfRange = false; // beyond the extended range (value 0)
};

// Reads the literal that starts with the digit at `start`.
NumberLiteral ReadNumber(QStringView text, qsizetype start);

} // namespace calc
