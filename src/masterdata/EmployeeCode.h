#pragma once

#include <QString>

namespace db {
class DataSet;
}

// Employee codes: the department's code followed by a number one above the greatest code in
// use in that department and every department below it.

// The query for that greatest code.
QString EmployeeMaxCodeSql(const QString &departCode);

// The next code from the greatest one in use ("" when there is none yet). Returns "" when
// what follows the department's code does not read as a number.
QString NextEmployeeCode(const QString &departCode, const QString &greatest);

// Reads the greatest code with `query` and draws the next one. Returns "" when the query
// fails, the greatest code does not read as a number, or the drawn code is already held by
// an employee (past 9999 the text maximum stops rising). Never throws.
QString DrawEmployeeCode(db::DataSet &query, const QString &departCode);
