#pragma once

#include <QString>

// The "0.00" pattern: two decimals, "." as separator, no grouping, ties rounded away from
// zero on the decimal value (2.675 gives 2.68, -0.125 gives -0.13). A value that rounds to
// zero is "0.00" without a sign.
//
// A double is read as its shortest decimal text; a long double (the evaluator's results) as
// its first 18 significant digits, which absorbs the noise in its last bits.
QString FormatAmount(double value);
QString FormatAmount(long double value);

// Rounds a decimal number given as text ("-12.345", "1e-3") to `decimals` places, half away
// from zero; returns an empty text when `text` is not a number.
QString RoundDecimalText(const QString &text, int decimals);
