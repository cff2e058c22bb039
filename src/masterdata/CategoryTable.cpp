#include "masterdata/CategoryTable.h"

#include "platform/text/SqlText.h"

const CategoryTable &CategoryTable::departments()
{
    static const CategoryTable t{QStringLiteral("TEmpClass"),
                                 QStringLiteral("输入部门主分类名称"),
                                 QStringLiteral("输入下级部门分类名称"),
                                 QStringLiteral("输入新的部门分类名称"),
                                 3,
                                 QStringLiteral("最多支持5级分类！"),
                                 true};
    return t;
}

const CategoryTable &CategoryTable::expenseCategories()
{
    static const CategoryTable t{QStringLiteral("TCustClass"),
                                 QStringLiteral("输入费用主分类名称"),
                                 QStringLiteral("输入费用二级分类名称"),
                                 QStringLiteral("输入新的费用分类名称"),
                                 2,
                                 QStringLiteral("最多支持四级分类！"),
                                 false};
    return t;
}

CategoryTable CategoryTable::readOnly(const QString &table)
{
    CategoryTable t;
    t.table = table;
    return t;
}

QString CategoryTable::loadSql() const
{
    return QStringLiteral("Select * from ") + table + QStringLiteral(" order by TypeCode");
}

QString CategoryTable::maxCodeSql(const QString &parentCode) const
{
    return QStringLiteral("Select Max(TypeCode) from ") + table + QStringLiteral(" Where ParTypeCode=")
        + QuotedStr(parentCode);
}

QString CategoryTable::insertSql(const QString &code, const QString &name, const QString &parentCode,
                                 int level) const
{
    return QStringLiteral("Insert into ") + table
        + QStringLiteral(" (TypeCode,TypeName,ParTypeCode,nLeveal) Values(") + QuotedStr(code) + u','
        + QuotedStr(name) + u',' + QuotedStr(parentCode) + u',' + QString::number(level) + u')';
}

QString CategoryTable::renameSql(const QString &code, const QString &name) const
{
    return QStringLiteral("Update ") + table + QStringLiteral(" Set TypeName=") + QuotedStr(name)
        + QStringLiteral(" Where TypeCode=") + QuotedStr(code);
}

QString CategoryTable::renameBillsSql(const QString &code, const QString &name) const
{
    if (!renameReachesBills)
        return QString();
    return QStringLiteral("Update TBillDetail Set DepartName=") + QuotedStr(name)
        + QStringLiteral(" where DepartCode=") + QuotedStr(code);
}

QString CategoryTable::deleteSql(const QString &code) const
{
    return QStringLiteral("Delete from ") + table + QStringLiteral(" Where TypeCode=") + QuotedStr(code);
}
