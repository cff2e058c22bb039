#include "allocation/FormulaSql.h"

#include "platform/text/SqlText.h"

namespace {

QString dateLiteral(const QDate &date)
{
    return QLatin1Char('#') + SqlDay(date) + QLatin1Char('#');
}

QString periodCondition(const QDate &first, const QDate &last)
{
    return QStringLiteral(" And OcrDate>=") + dateLiteral(first) + QStringLiteral(" And OcrDate<")
        + dateLiteral(last.addDays(1));
}

} // namespace

QString CountTokenSql(const QString &departCode, const QString &custCode, const QDate &first, const QDate &last)
{
    return QStringLiteral("Select Sum(Total) from TBillDetail Where DepartCode=") + QuotedStr(departCode)
        + QStringLiteral(" And CustCode=") + QuotedStr(custCode) + periodCondition(first, last);
}

QString CountEmpTokenSql(const QString &employeeCode, const QString &custCode, const QDate &first,
                         const QDate &last)
{
    return QStringLiteral("Select Sum(Total) from TBillDetail Where EMPID=") + QuotedStr(employeeCode)
        + QStringLiteral(" And CustCode=") + QuotedStr(custCode) + periodCondition(first, last);
}

QString SumDTokenSql(const QString &departCode)
{
    return QStringLiteral("Select Count(*) from TEmployee Where TypeCode like ") + QuotedStr(departCode + u'%');
}

QString SumFTokenSql(const QString &funcCode)
{
    return QStringLiteral("Select Count(*) from TEmployee Where FuncCode=") + QuotedStr(funcCode);
}

QString EmployeeFuncSql(const QString &employeeCode)
{
    return QStringLiteral("Select FuncCode from TEmployee Where Code=") + QuotedStr(employeeCode);
}

QString FormulaLookupSql(const QString &funcCode, const QString &custCode)
{
    return QStringLiteral("Select Formula from TFormula Where FuncCode=") + QuotedStr(funcCode)
        + QStringLiteral(" And CustTypeCode=") + QuotedStr(custCode);
}

QString SqlDay(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}
