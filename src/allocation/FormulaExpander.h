#pragma once

#include <QDate>
#include <QMetaObject>
#include <QString>
#include <QVariant>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QSqlQuery;
class TCalcExpress;
namespace db {
class Connection;
}

// Computes allocation formulas for a period: each token's figure is queried on the caller's
// connection, the tokens are replaced by their values and the arithmetic is evaluated.
// Keeps no figures between calls (only its prepared statements), so every call sees the
// database as it is. Nothing is shown from here: failures come back as message texts for the
// caller to show ("Error in formula." from the evaluator is the one exception).
class FormulaExpander {
public:
    struct Result {
        long double value = 0;
        QString expanded; // the arithmetic handed to the evaluator
        QString failure;  // the message to show when the formula could not be computed
        bool ok() const { return failure.isEmpty(); }
    };

    enum class CellOutcome {
        NoEmployee,      // the code names no employee: "0.00"
        NoFormula,       // no formula for the position and category: "0.00"
        EmptyFormula,    // the formula is empty: "0.00"
        Evaluated,       // the formula was computed (perhaps with a failure to show)
        DatabaseFailure, // looking up the position or the formula failed: stop the table
    };
    struct Cell {
        CellOutcome outcome = CellOutcome::DatabaseFailure;
        QString text;    // the cell text; empty after a database failure
        QString failure; // the message to show, from ExpandFormula
    };

    // `calc` is the caller's evaluator (its last formula stays in it); without one the
    // expander uses its own.
    explicit FormulaExpander(db::Connection *connection, TCalcExpress *calc = nullptr);
    ~FormulaExpander();
    FormulaExpander(const FormulaExpander &) = delete;
    FormulaExpander &operator=(const FormulaExpander &) = delete;

    // Both days are included.
    void setPeriod(const QDate &first, const QDate &last);

    // Token values; a failing query gives 0, as does a sum over no records.
    long double GetValue0(const QString &token); // "{COUNT "
    long double GetValue1(const QString &token); // "{COUNTEMP "
    qint32 GetValue2(const QString &token);      // "{SUM_D "
    qint32 GetValue3(const QString &token);      // "{SUM_F "

    // The value of a formula, or 0 with `failure` set.
    Result ExpandFormula(const QString &formula);

    // One cell of the allocation table: the formula of the employee's position for the
    // category, computed for the period.
    Cell CalcCell(const QString &employeeCode, const QString &categoryCode);

    // Called with the text of every statement, as it reads, before it runs. The texts are
    // built only while a trace is set.
    void setQueryTrace(std::function<void(const QString &sql)> trace) { m_trace = std::move(trace); }

private:
    enum Statement { Count, CountEmp, SumD, SumF, EmployeeFunc, FormulaLookup, StatementCount };

    // Runs a prepared statement; false when the database failed. `found` tells whether a row
    // came back, `value` holds its first field.
    bool scalar(Statement statement, std::initializer_list<QVariant> values, QVariant &value, bool &found);
    QSqlQuery *prepared(Statement statement);
    void dropStatements();
    long double moneyValue(Statement statement, const QString &token);
    qint32 countValue(Statement statement, const QString &token);

    db::Connection *m_connection;
    TCalcExpress *m_calc;
    std::unique_ptr<TCalcExpress> m_ownCalc;
    QDate m_first;
    QDate m_last;
    std::array<std::unique_ptr<QSqlQuery>, StatementCount> m_statements;
    QMetaObject::Connection m_closing;
    std::vector<long double> m_zeros;
    std::function<void(const QString &)> m_trace;
};
