#include "masterdata/EmployeeCode.h"

#include "masterdata/CategoryCodes.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/text/PadZeros.h"
#include "platform/text/SqlText.h"

#include <limits>

QString EmployeeMaxCodeSql(const QString &departCode)
{
    return QStringLiteral("Select Max(Code) from TEmployee Where TypeCode like '") + SqlEscape(departCode)
           + QStringLiteral("%'");
}

QString NextEmployeeCode(const QString &departCode, const QString &greatest)
{
    if (greatest.isEmpty())
        return departCode + QStringLiteral("0001");
    const QString rest = greatest.mid(departCode.size());
    if (!IsDigitCode(rest))
        return QString();
    bool ok = false;
    const qlonglong number = rest.toLongLong(&ok);
    if (!ok || number == std::numeric_limits<qlonglong>::max())
        return QString();
    return departCode + PadZeros(QString::number(number + 1), 4);
}

QString DrawEmployeeCode(db::DataSet &query, const QString &departCode)
{
    try {
        const QString code = NextEmployeeCode(departCode, FirstValue(query, EmployeeMaxCodeSql(departCode)));
        if (code.isEmpty())
            return QString();
        const QString holders =
            FirstValue(query, QStringLiteral("Select Count(*) from TEmployee Where Code=") + QuotedStr(code));
        return holders == QLatin1String("0") ? code : QString();
    } catch (const db::DbError &) {
        query.close();
        return QString();
    }
}
