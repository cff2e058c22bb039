#include "platform/db/Values.h"

#include "platform/db/DbError.h"
#include "platform/text/ChineseCollator.h"

#include <cmath>

namespace db {

namespace {

[[noreturn]] void conversionError(const QVariant &value, const QString &fieldName, const char *kind)
{
    throw DbError(QStringLiteral("'%1' is not a valid %2 value%3")
                      .arg(value.toString(), QString::fromLatin1(kind),
                           fieldName.isEmpty() ? QString() : QStringLiteral(" for field '%1'").arg(fieldName)));
}

bool isFloatValue(const QVariant &value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

} // namespace

bool isNumberValue(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QString valueToText(const QVariant &value)
{
    if (value.isNull())
        return QString();
    if (isFloatValue(value)) // up to 15 significant digits, no binary noise
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

qint64 valueToInteger(const QVariant &value, const QString &fieldName)
{
    if (value.isNull())
        return 0;
    if (isFloatValue(value))
        return qint64(std::llround(value.toDouble()));
    if (isNumberValue(value))
        return value.toLongLong();
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 result = text.toLongLong(&ok);
    if (!ok)
        conversionError(value, fieldName, "integer");
    return result;
}

double valueToFloat(const QVariant &value, const QString &fieldName)
{
    if (value.isNull())
        return 0.0;
    if (isNumberValue(value))
        return value.toDouble();
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return 0.0;
    bool ok = false;
    const double result = text.toDouble(&ok);
    if (!ok)
        conversionError(value, fieldName, "floating point");
    return result;
}

QDateTime valueToDateTime(const QVariant &value, const QString &fieldName)
{
    if (value.isNull())
        return QDateTime();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().startOfDay();
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return QDateTime();
    QDateTime result = QDateTime::fromString(text, QString::fromLatin1(kDateTimeFormat));
    if (!result.isValid())
        result = QDateTime::fromString(text, Qt::ISODate);
    if (!result.isValid()) {
        const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (day.isValid())
            result = day.startOfDay();
    }
    if (!result.isValid())
        conversionError(value, fieldName, "date");
    return result;
}

QString dateTimeToText(const QDateTime &value)
{
    return value.toString(QString::fromLatin1(kDateTimeFormat));
}

int compareValues(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (isNumberValue(a) && isNumberValue(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return CompareByName(a.toString(), b.toString());
}

} // namespace db
