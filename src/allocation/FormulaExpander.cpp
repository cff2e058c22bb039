#include "allocation/FormulaExpander.h"

#include "allocation/CalcExpress.h"
#include "allocation/FormulaSql.h"
#include "allocation/FormulaTokens.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Values.h"
#include "platform/text/AmountFormat.h"

#include <QSqlQuery>

namespace {

// The same statements as FormulaSql.h builds, with the values bound, so that one prepared
// statement serves every cell of a table.
const char *const kStatementText[] = {
    "Select Sum(Total) from TBillDetail Where DepartCode=? And CustCode=? And OcrDate>=? And OcrDate<?",
    "Select Sum(Total) from TBillDetail Where EMPID=? And CustCode=? And OcrDate>=? And OcrDate<?",
    "Select Count(*) from TEmployee Where TypeCode like ?",
    "Select Count(*) from TEmployee Where FuncCode=?",
    "Select FuncCode from TEmployee Where Code=?",
    "Select Formula from TFormula Where FuncCode=? And CustTypeCode=?",
};

// The formula has no variables; the evaluator still gets its full array of values.
constexpr std::size_t kEvaluatorValues = 101;

} // namespace

FormulaExpander::FormulaExpander(db::Connection *connection, TCalcExpress *calc)
    : m_connection(connection), m_calc(calc), m_zeros(kEvaluatorValues, 0.0L)
{
    if (!m_calc) {
        m_ownCalc = std::make_unique<TCalcExpress>();
        m_calc = m_ownCalc.get();
    }
    // Prepared statements must not outlive the connection's open database.
    if (m_connection)
        m_closing = QObject::connect(m_connection, &db::Connection::aboutToClose, [this] { dropStatements(); });
}

FormulaExpander::~FormulaExpander()
{
    QObject::disconnect(m_closing);
    dropStatements();
}

void FormulaExpander::setPeriod(const QDate &first, const QDate &last)
{
    m_first = first;
    m_last = last;
}

void FormulaExpander::dropStatements()
{
    for (auto &statement : m_statements)
        statement.reset();
}

QSqlQuery *FormulaExpander::prepared(Statement statement)
{
    std::unique_ptr<QSqlQuery> &slot = m_statements[statement];
    if (!slot) {
        if (!m_connection)
            return nullptr;
        auto query = std::make_unique<QSqlQuery>(m_connection->database()); // raises DbError when closed
        query->setForwardOnly(true);
        if (!query->prepare(QString::fromLatin1(kStatementText[statement])))
            return nullptr;
        slot = std::move(query);
    }
    return slot.get();
}

bool FormulaExpander::scalar(Statement statement, std::initializer_list<QVariant> values, QVariant &value,
                             bool &found)
{
    found = false;
    value = QVariant();
    try {
        QSqlQuery *query = prepared(statement);
        if (!query)
            return false;
        int position = 0;
        for (const QVariant &v : values)
            query->bindValue(position++, v);
        if (!query->exec())
            return false;
        if (query->next()) {
            found = true;
            value = query->value(0);
        }
        query->finish();
        return true;
    } catch (const db::DbError &) {
        return false;
    }
}

long double FormulaExpander::moneyValue(Statement statement, const QString &token)
{
    const TokenCodes codes = ReadTokenCodes(token, true);
    // A token without a department or employee names no one. Left to the query, an empty
    // employee code would match every expense booked without an employee.
    if (codes.first.isEmpty())
        return 0;
    if (m_trace)
        m_trace(statement == Count ? CountTokenSql(codes.first, codes.second, m_first, m_last)
                                   : CountEmpTokenSql(codes.first, codes.second, m_first, m_last));
    QVariant value;
    bool found = false;
    if (!scalar(statement, {codes.first, codes.second, SqlDay(m_first), SqlDay(m_last.addDays(1))}, value, found))
        return 0;
    try {
        return db::valueToFloat(value); // a sum over no records is NULL and reads as 0
    } catch (const db::DbError &) {
        return 0;
    }
}

qint32 FormulaExpander::countValue(Statement statement, const QString &token)
{
    const QString code = ReadTokenCodes(token, false).first;
    if (m_trace)
        m_trace(statement == SumD ? SumDTokenSql(code) : SumFTokenSql(code));
    // A department counts with everything below it.
    const QString bound = statement == SumD ? code + u'%' : code;
    QVariant value;
    bool found = false;
    if (!scalar(statement, {bound}, value, found))
        return 0;
    try {
        return qint32(db::valueToInteger(value));
    } catch (const db::DbError &) {
        return 0;
    }
}

long double FormulaExpander::GetValue0(const QString &token)
{
    return moneyValue(Count, token);
}

long double FormulaExpander::GetValue1(const QString &token)
{
    return moneyValue(CountEmp, token);
}

qint32 FormulaExpander::GetValue2(const QString &token)
{
    return countValue(SumD, token);
}

qint32 FormulaExpander::GetValue3(const QString &token)
{
    return countValue(SumF, token);
}

FormulaExpander::Result FormulaExpander::ExpandFormula(const QString &formula)
{
    // Money comes from the database as a double; formatting it as such keeps its decimal
    // value (2.675 stays 2.675 and rounds to 2.68).
    const TokenExpansion expansion = ExpandTokens(formula, [this](FormulaToken kind, const QString &token) -> double {
        switch (kind) {
        case FormulaToken::CountEmp:
            return double(GetValue1(token));
        case FormulaToken::Count:
            return double(GetValue0(token));
        case FormulaToken::SumD:
            return GetValue2(token);
        case FormulaToken::SumF:
            return GetValue3(token);
        }
        return 0;
    });
    Result result;
    result.expanded = expansion.text;
    if (!expansion.problem.isEmpty()) {
        result.failure = FormulaFailureMessage(formula, expansion.problem);
        return result;
    }
    m_calc->setFormula(expansion.text);
    try {
        result.value = m_calc->Evaluate(m_zeros);
    } catch (const EvalError &e) {
        result.value = 0;
        result.failure = FormulaFailureMessage(formula, QString::fromUtf8(e.what()));
    }
    return result;
}

FormulaExpander::Cell FormulaExpander::CalcCell(const QString &employeeCode, const QString &categoryCode)
{
    const auto zero = [](CellOutcome outcome) { return Cell{outcome, QStringLiteral("0.00"), QString()}; };
    QVariant value;
    bool found = false;

    if (m_trace)
        m_trace(EmployeeFuncSql(employeeCode));
    if (!scalar(EmployeeFunc, {employeeCode}, value, found))
        return Cell{CellOutcome::DatabaseFailure};
    if (!found)
        return zero(CellOutcome::NoEmployee);
    const QString funcCode = db::valueToText(value);

    if (m_trace)
        m_trace(FormulaLookupSql(funcCode, categoryCode));
    if (!scalar(FormulaLookup, {funcCode, categoryCode}, value, found))
        return Cell{CellOutcome::DatabaseFailure};
    if (!found)
        return zero(CellOutcome::NoFormula);
    const QString formula = db::valueToText(value);
    if (formula.isEmpty())
        return zero(CellOutcome::EmptyFormula);

    const Result result = ExpandFormula(formula);
    return Cell{CellOutcome::Evaluated, FormatAmount(result.value), result.failure};
}
