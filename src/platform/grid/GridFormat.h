#pragma once

#include <QString>
#include <QVariant>

// Display formats of the data grid, in the notation the windows use:
// numbers "0.00", "0条", "#,##0.00" (0 a digit always shown, # a digit shown when needed,
// "," thousands groups, anything else literal text; ties rounded away from zero on the
// decimal value), dates "yyyy-MM-dd" (Qt's date-time letters).

// True when `pattern` formats numbers (it holds a 0 or a # digit place).
bool IsNumberFormat(const QString &pattern);

QString FormatNumber(double value, const QString &pattern);
// For sums: read at 15 significant digits, the precision of the doubles summed.
QString FormatNumber(long double value, const QString &pattern);

// The number a stored value holds: a number, or a text that reads as one; false otherwise.
bool NumberOfValue(const QVariant &value, double &number);

// A stored value as the grid shows it: numbers and dates through `pattern`, anything else
// (and every value when the pattern is empty) as its plain text; NULL is "".
QString FormatDisplayValue(const QVariant &value, const QString &pattern);
