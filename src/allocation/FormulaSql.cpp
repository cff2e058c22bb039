#include "allocation/FormulaSql.h"

#include "platform/text/SqlText.h"

namespace {

QString day(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString periodCondition(const QDate &first, const QDate &last)
{
    return QStringLiteral(" And OcrDate>=") + QLatin1Char('#') + day(first) + QLatin1Char('#')
        + QStringLiteral(" And OcrDate<") + QLatin1Char('#') + day(last.addDays(1)) + QLatin1Char('#');
}

} // namespace

QString CountTokenSql(const QString &departCode, const QString &custCode, const QDate &first, const QDate &last)
{
    return QStringLiteral("Select Sum(Total) from TBillDetail Where DepartCode='") + SqlEscape(departCode)
        + QLatin1Char('\'') + QStringLiteral(" And CustCode=") + QLatin1Char('\'') + SqlEscape(custCode)
        + QLatin1Char('\'') + periodCondition(first, last);
}

QString CountEmpTokenSql(const QString &employeeCode, const QString &custCode, const QDate &first,
                         const QDate &last)
{
    return QStringLiteral("Select Sum(Total) from TBillDetail Where EMPID='") + SqlEscape(employeeCode)
        + QLatin1Char('\'') + QStringLiteral(" And CustCode=") + QLatin1Char('\'') + SqlEscape(custCode)
        + QLatin1Char('\'') + periodCondition(first, last);
}

QString SumDTokenSql(const QString &departCode)
{
    return QStringLiteral("Select Count(*) from TEmployee Where TypeCode like '") + SqlEscape(departCode)
        + QLatin1Char('%') + QLatin1Char('\'');
}

QString SumFTokenSql(const QString &funcCode)
{
    return QStringLiteral("Select Count(*) from TEmployee Where FuncCode='") + SqlEscape(funcCode) + QLatin1Char('\'');
}

QString EmployeeFuncSql(const QString &employeeCode)
{
    return QStringLiteral("Select FuncCode from TEmployee Where Code='") + SqlEscape(employeeCode) + QLatin1Char('\'');
}

QString FormulaLookupSql(const QString &funcCode, const QString &custCode)
{
    return QStringLiteral("Select Formula from TFormula Where FuncCode='") + SqlEscape(funcCode) + QLatin1Char('\'')
        + QStringLiteral(" And CustTypeCode=") + QLatin1Char('\'') + SqlEscape(custCode) + QLatin1Char('\'');
}
