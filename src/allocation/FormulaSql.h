#pragma once

#include <QDate>
#include <QString>

// The statements of the formula tokens and of one allocation cell, as they read. Codes are
// quoted with the one quoting helper; the period runs from `first` to the day after `last`.
QString CountTokenSql(const QString &departCode, const QString &custCode, const QDate &first, const QDate &last);
QString CountEmpTokenSql(const QString &employeeCode, const QString &custCode, const QDate &first,
                         const QDate &last);
QString SumDTokenSql(const QString &departCode);
QString SumFTokenSql(const QString &funcCode);
QString EmployeeFuncSql(const QString &employeeCode);
QString FormulaLookupSql(const QString &funcCode, const QString &custCode);

// A day as the statements write it: yyyy-MM-dd.
QString SqlDay(const QDate &date);
