#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace db {

// True for the integer and floating kinds the database returns.
bool isNumberValue(const QVariant &value);

// How the database's values read as the program's kinds. NULL reads as "", 0 and 0.0;
// a text that is not a number raises DbError naming the field.
QString valueToText(const QVariant &value);
qint64 valueToInteger(const QVariant &value, const QString &fieldName = QString());
double valueToFloat(const QVariant &value, const QString &fieldName = QString());
QDateTime valueToDateTime(const QVariant &value, const QString &fieldName = QString());

// Dates are stored as text in this one form, so comparing with 'yyyy-MM-dd' bounds works.
QString dateTimeToText(const QDateTime &value);
inline constexpr const char *kDateTimeFormat = "yyyy-MM-dd HH:mm:ss";

// Order of two values for a client-side sort: numbers by value, texts by name order, NULL first.
int compareValues(const QVariant &a, const QVariant &b);

} // namespace db
