#include "masterdata/CategoryCodes.h"

#include "masterdata/CategoryTable.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/text/PadZeros.h"

bool IsDigitCode(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

DrawnCode NextChildCode(const QString &parentCode, const QString &highestSibling)
{
    if (highestSibling.isEmpty())
        return {DrawnCode::Ok, parentCode + QStringLiteral("0001")};

    // The number is what follows the parent's code; a top-level code is all number.
    QString number = highestSibling;
    if (number.size() > 4)
        number.remove(0, parentCode.size());
    if (!IsDigitCode(number))
        return {DrawnCode::NotANumber, QString()};

    bool ok = false;
    const qlonglong highest = number.toLongLong(&ok);
    if (!ok || highest >= kMaxSiblings)
        return {DrawnCode::Full, QString()};
    return {DrawnCode::Ok, parentCode + PadZeros(QString::number(highest + 1), 4)};
}

QString FirstValue(db::DataSet &query, const QString &sql)
{
    query.close();
    query.setCommandText(sql);
    query.open();
    const QString value = query.isEmpty() ? QString() : query.field(0).asString();
    query.close();
    return value;
}

DrawnCode DrawChildCode(db::DataSet &query, const CategoryTable &table, const QString &parentCode)
{
    QString highest;
    try {
        highest = FirstValue(query, table.maxCodeSql(parentCode));
    } catch (const db::DbError &) {
        query.close();
        return {DrawnCode::QueryFailed, QString()};
    }
    return NextChildCode(parentCode, highest);
}

QString DrawnCodeMessage(DrawnCode::Status status)
{
    switch (status) {
    case DrawnCode::Ok:
        return QString();
    case DrawnCode::Full:
        return QStringLiteral("同级分类最多支持9999个，不能再添加！");
    case DrawnCode::QueryFailed:
    case DrawnCode::NotANumber:
        break;
    }
    return QStringLiteral("读取数据出现错误。");
}
