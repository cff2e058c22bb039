#include "allocation/CalcExpress.h"
#include "allocation/FormulaExpander.h"
#include "DmFixture.h"
#include "RecordingPrompts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"

#include <QtTest>

#include <memory>

using Outcome = FormulaExpander::CellOutcome;
Q_DECLARE_METATYPE(FormulaExpander::CellOutcome)

namespace {

const QString kFormulaError = QStringLiteral("Error in formula.");

// Tokens as the pickers write them.
const QString kCount0001 = QStringLiteral("{COUNT 0001:总部\\ 0002:办公费\\}");
const QString kSumD0001 = QStringLiteral("{SUM_D 0001:总部}");
const QString kCountNegative = QStringLiteral("{COUNT 0002:销售部\\ 0002:办公费\\}");
const QString kSumDEmpty = QStringLiteral("{SUM_D 9999:空部门}");
const QString kCountNothing = QStringLiteral("{COUNT 9999:空部门\\ 0002:办公费\\}");

QString failure(const QString &formula, const QString &reason)
{
    return QStringLiteral("计算表达式：") + formula + QStringLiteral(" 发生错误！\r错误原因：") + reason;
}

} // namespace

class TestFormulaExpansion : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tokenValues_data();
    void tokenValues();
    void periodIsReadForEveryQuery();
    void failingTokenQueriesGiveZero();

    void expandsFormulas_data();
    void expandsFormulas();
    void usesTheCallersEvaluator();

    void cells_data();
    void cells();
    void cellReadsPositionThenFormulaThenTokens();
    void cellReportsDatabaseFailure();
    void statementsSurviveReopening();

private:
    // The value of the statement text as it reads, run through the database layer.
    QString valueOfText(const QString &sql) const;

    std::unique_ptr<DmFixture> m_fixture;
    std::unique_ptr<FormulaExpander> m_expander;
};

void TestFormulaExpansion::init()
{
    m_fixture = std::make_unique<DmFixture>();
    QVERIFY2(m_fixture->folder.isValid(), qPrintable(m_fixture->folder.error()));
    DmFixture &f = *m_fixture;
    // Department 0001 with sub-department 00010001; 0002; and a code with a quote.
    QVERIFY(f.exec(QStringLiteral(
        "INSERT INTO TEmployee (Code, UserName, ZZStu, TypeCode, FuncCode) VALUES "
        "('00010001', '王建国', 1, '0001', '01'),"
        "('00010002', '刘芳', 1, '0001', '02'),"
        "('000100010001', '陈静', 0, '00010001', '02')," // no longer active: still counted
        "('00020001', '张伟', 1, '0002', '01'),"
        "('00''30001', '马骏', 1, '00''3', 'q''1'),"
        "('00020002', '谢云', 1, '0002', '')")));
    QVERIFY(f.exec(QStringLiteral(
        "INSERT INTO TBillDetail (OcrDate, DepartCode, EmpID, CustCode, Total) VALUES "
        "('2024-03-01 08:30:00', '0001', '', '0002', 100),"        // first day of the period
        "('2024-03-31 17:45:10', '0001', '00010001', '0002', 200)," // last day, late in the day
        "('2024-04-01 00:00:00', '0001', '', '0002', 1000),"        // the day after
        "('2024-02-29 23:59:59', '0001', '', '0002', 5000),"        // the day before
        "('2024-03-10 10:00:00', '00010001', '', '0002', 7),"       // sub-department
        "('2024-03-10 10:00:00', '0001', '', '00020001', 9),"       // sub-category
        "('2024-03-15 09:00:00', '0002', '00020001', '0002', -12.5),"
        "('2024-03-20 09:00:00', '00''3', '00''30001', '0''2', 42.125),"
        "('2024-03-21 09:00:00', '00''3', '00''30001', '0''2', 0.5)")));
    QVERIFY(f.exec(QStringLiteral(
        "INSERT INTO TFormula (FuncCode, CustTypeCode, Formula) VALUES "
        "('01', '0002', '{COUNT 0001:总部\\ 0002:办公费\\}/{SUM_D 0001:总部}'),"
        "('01', '0003', '100/4'),"
        "('01', '0004', ''),"
        "('01', '0005', '1/3'),"
        "('01', '0006', '2.675'),"
        "('01', '0007', '-0.005'),"
        "('01', '0008', '{COUNT 0001:总部\\ 0002:办公费\\}/{SUM_D 9999:空部门}'),"
        "('02', '0002', '{COUNTEMP 00010001:总部\\王建国\\ 0002:办公费\\}*{SUM_F 01:经理}'),"
        "('q''1', '0''2', '{COUNTEMP 00''30001:x\\ 0''2:y\\}')")));
    m_expander = std::make_unique<FormulaExpander>(f.connection());
    m_expander->setPeriod(QDate(2024, 3, 1), QDate(2024, 3, 31));
}

void TestFormulaExpansion::cleanup()
{
    m_expander.reset();
    m_fixture.reset();
}

QString TestFormulaExpansion::valueOfText(const QString &sql) const
{
    db::DataSet ds(m_fixture->connection());
    ds.setCommandText(sql);
    ds.open();
    return ds.isEmpty() ? QString() : QString::number(ds.field(0).asFloat(), 'f', 4);
}

void TestFormulaExpansion::tokenValues_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("sql"); // empty: no statement runs

    QTest::newRow("department money, both period ends, no sub-department, no sub-category")
        << QStringLiteral("{COUNT 0001:总部\\ 0002:办公费\\") << 300.0
        << QStringLiteral("Select Sum(Total) from TBillDetail Where DepartCode='0001' And CustCode='0002' And "
                          "OcrDate>=#2024-03-01# And OcrDate<#2024-04-01#");
    QTest::newRow("employee money") << QStringLiteral("{COUNTEMP 00010001:总部\\王建国\\ 0002:办公费\\") << 200.0
                                    << QStringLiteral("Select Sum(Total) from TBillDetail Where EMPID='00010001' And "
                                                      "CustCode='0002' And OcrDate>=#2024-03-01# And "
                                                      "OcrDate<#2024-04-01#");
    QTest::newRow("negative money") << QStringLiteral("{COUNT 0002:销售部\\ 0002:办公费\\") << -12.5
                                    << QStringLiteral("Select Sum(Total) from TBillDetail Where DepartCode='0002' And "
                                                      "CustCode='0002' And OcrDate>=#2024-03-01# And "
                                                      "OcrDate<#2024-04-01#");
    QTest::newRow("codes with a quote") << QStringLiteral("{COUNT 00'3:x\\ 0'2:y\\") << 42.625
                                        << QStringLiteral("Select Sum(Total) from TBillDetail Where "
                                                          "DepartCode='00''3' And CustCode='0''2' And "
                                                          "OcrDate>=#2024-03-01# And OcrDate<#2024-04-01#");
    QTest::newRow("money over no records") << QStringLiteral("{COUNT 9999:x\\ 0002:y\\") << 0.0
                                           << QStringLiteral("Select Sum(Total) from TBillDetail Where "
                                                             "DepartCode='9999' And CustCode='0002' And "
                                                             "OcrDate>=#2024-03-01# And OcrDate<#2024-04-01#");
    // Expenses booked without an employee carry an empty EmpID; they belong to no employee.
    QTest::newRow("employee money with an empty code is zero") << QStringLiteral("{COUNTEMP :x\\ 0002:y\\") << 0.0
                                                               << QString();
    QTest::newRow("department money with an empty code is zero") << QStringLiteral("{COUNT :x\\ 0002:y\\") << 0.0
                                                                 << QString();
    QTest::newRow("department headcount counts sub-departments and former staff")
        << QStringLiteral("{SUM_D 0001:总部") << 3.0
        << QStringLiteral("Select Count(*) from TEmployee Where TypeCode like '0001%'");
    QTest::newRow("department headcount with an empty code counts everyone") << QStringLiteral("{SUM_D :全部")
                                                                             << 6.0
                                                                             << QStringLiteral(
                                                                                    "Select Count(*) from TEmployee "
                                                                                    "Where TypeCode like '%'");
    QTest::newRow("department headcount, quote") << QStringLiteral("{SUM_D 00'3:x") << 1.0
                                                 << QStringLiteral("Select Count(*) from TEmployee Where TypeCode "
                                                                   "like '00''3%'");
    QTest::newRow("empty department") << QStringLiteral("{SUM_D 9999:空部门") << 0.0
                                      << QStringLiteral("Select Count(*) from TEmployee Where TypeCode like '9999%'");
    QTest::newRow("position headcount") << QStringLiteral("{SUM_F 01:经理") << 2.0
                                        << QStringLiteral("Select Count(*) from TEmployee Where FuncCode='01'");
    QTest::newRow("position headcount, quote") << QStringLiteral("{SUM_F q'1:x") << 1.0
                                               << QStringLiteral("Select Count(*) from TEmployee Where FuncCode='q''1'");
}

void TestFormulaExpansion::tokenValues()
{
    QFETCH(QString, token);
    QFETCH(double, value);
    QFETCH(QString, sql);

    QStringList statements;
    m_expander->setQueryTrace([&](const QString &text) { statements << text; });
    double got = 0;
    if (token.startsWith(QLatin1String("{COUNTEMP ")))
        got = double(m_expander->GetValue1(token));
    else if (token.startsWith(QLatin1String("{COUNT ")))
        got = double(m_expander->GetValue0(token));
    else if (token.startsWith(QLatin1String("{SUM_D ")))
        got = m_expander->GetValue2(token);
    else
        got = m_expander->GetValue3(token);
    QCOMPARE(got, value);
    if (sql.isEmpty()) {
        QCOMPARE(statements, QStringList());
        return;
    }
    QCOMPARE(statements, QStringList{sql});
    // The statement as it reads gives the same figure.
    const QString viaText = valueOfText(sql);
    QCOMPARE(viaText.isEmpty() ? 0.0 : viaText.toDouble(), value);
}

void TestFormulaExpansion::periodIsReadForEveryQuery()
{
    const QString token = QStringLiteral("{COUNT 0001:总部\\ 0002:办公费\\");
    QCOMPARE(double(m_expander->GetValue0(token)), 300.0);
    m_expander->setPeriod(QDate(2024, 4, 1), QDate(2024, 4, 1));
    QCOMPARE(double(m_expander->GetValue0(token)), 1000.0);
    m_expander->setPeriod(QDate(2024, 2, 1), QDate(2024, 4, 30));
    QCOMPARE(double(m_expander->GetValue0(token)), 6300.0);
}

void TestFormulaExpansion::failingTokenQueriesGiveZero()
{
    RecordingPrompts prompts;
    QVERIFY(m_fixture->exec(QStringLiteral("DROP TABLE TBillDetail")));
    QCOMPARE(double(m_expander->GetValue0(QStringLiteral("{COUNT 0001:a 0002:b"))), 0.0);
    QCOMPARE(double(m_expander->GetValue1(QStringLiteral("{COUNTEMP 00010001:a 0002:b"))), 0.0);
    QVERIFY(m_fixture->exec(QStringLiteral("ALTER TABLE TEmployee RENAME TO TStaff")));
    QCOMPARE(m_expander->GetValue2(QStringLiteral("{SUM_D 0001:a")), 0);
    QCOMPARE(m_expander->GetValue3(QStringLiteral("{SUM_F 01:a")), 0);
    QVERIFY(prompts.shown.isEmpty());
}

void TestFormulaExpansion::expandsFormulas_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("expanded");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("reason"); // empty: no failure
    QTest::addColumn<QStringList>("prompts");

    QTest::newRow("no token") << QStringLiteral("100/4") << QStringLiteral("100/4") << 25.0 << QString()
                              << QStringList();
    QTest::newRow("money over headcount") << kCount0001 + QStringLiteral("/") + kSumD0001
                                          << QStringLiteral("300.00/3.00") << 100.0 << QString() << QStringList();
    QTest::newRow("all four tokens")
        << QStringLiteral("{COUNTEMP 00010001:a\\b\\ 0002:c\\}+{SUM_F 01:经理}*{SUM_D 0001:总部}+({COUNT 0002:x 0002:y})")
        << QStringLiteral("200.00+2.00*3.00+(-12.50)") << 193.5 << QString() << QStringList();
    QTest::newRow("negative sum at the start") << kCountNegative + QStringLiteral("+20")
                                               << QStringLiteral("-12.50+20") << 7.5 << QString() << QStringList();
    QTest::newRow("negative sum after (") << QStringLiteral("(") + kCountNegative + QStringLiteral(")*2")
                                          << QStringLiteral("(-12.50)*2") << -25.0 << QString() << QStringList();
    QTest::newRow("negative sum after an operator")
        << QStringLiteral("10+") + kCountNegative << QStringLiteral("10+-12.50") << 0.0 << kFormulaError
        << QStringList{kFormulaError};
    QTest::newRow("headcount of zero as divisor") << kCount0001 + QStringLiteral("/") + kSumDEmpty
                                                  << QStringLiteral("300.00/0.00") << 0.0
                                                  << QStringLiteral("Floating point division by zero")
                                                  << QStringList();
    QTest::newRow("zero over a headcount of zero") << kCountNothing + QStringLiteral("/") + kSumDEmpty
                                                   << QStringLiteral("0.00/0.00") << 0.0
                                                   << QStringLiteral("Invalid floating point operation")
                                                   << QStringList();
    QTest::newRow("formula over several lines") << kSumD0001 + QStringLiteral("\r\n/3")
                                                << QStringLiteral("3.00\r\n/3") << 0.0 << kFormulaError
                                                << QStringList{kFormulaError};
    QTest::newRow("unknown keyword") << QStringLiteral("1+{TOTAL 0001}") << QStringLiteral("1+{TOTAL 0001}") << 0.0
                                     << QStringLiteral("公式中有无法识别的“{”") << QStringList();
    QTest::newRow("token without closing brace") << QStringLiteral("2*{SUM_D 0001:总部")
                                                 << QStringLiteral("2*{SUM_D 0001:总部") << 0.0
                                                 << QStringLiteral("公式中的“{”缺少对应的“}”") << QStringList();
    QTest::newRow("empty formula") << QString() << QString() << 0.0 << kFormulaError << QStringList{kFormulaError};
}

void TestFormulaExpansion::expandsFormulas()
{
    QFETCH(QString, formula);
    QFETCH(QString, expanded);
    QFETCH(double, value);
    QFETCH(QString, reason);
    QFETCH(QStringList, prompts);

    RecordingPrompts shown;
    const FormulaExpander::Result result = m_expander->ExpandFormula(formula);
    QCOMPARE(result.expanded, expanded);
    QCOMPARE(double(result.value), value);
    QCOMPARE(result.failure, reason.isEmpty() ? QString() : failure(formula, reason));
    QCOMPARE(result.ok(), reason.isEmpty());
    QCOMPARE(shown.messages(), prompts);
}

void TestFormulaExpansion::usesTheCallersEvaluator()
{
    TCalcExpress calc;
    FormulaExpander expander(m_fixture->connection(), &calc);
    expander.setPeriod(QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(double(expander.ExpandFormula(kCount0001 + QStringLiteral("/") + kSumD0001).value), 100.0);
    QCOMPARE(calc.formula(), QStringLiteral("300.00/3.00"));
}

void TestFormulaExpansion::cells_data()
{
    QTest::addColumn<QString>("employee");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("reason");

    QTest::newRow("formula with tokens") << QStringLiteral("00010001") << QStringLiteral("0002")
                                         << QStringLiteral("100.00") << Outcome::Evaluated << QString();
    QTest::newRow("same position, same value") << QStringLiteral("00020001") << QStringLiteral("0002")
                                               << QStringLiteral("100.00") << Outcome::Evaluated << QString();
    QTest::newRow("formula without tokens") << QStringLiteral("00010001") << QStringLiteral("0003")
                                            << QStringLiteral("25.00") << Outcome::Evaluated << QString();
    QTest::newRow("a third") << QStringLiteral("00010001") << QStringLiteral("0005") << QStringLiteral("0.33")
                             << Outcome::Evaluated << QString();
    QTest::newRow("half a cent rounds up") << QStringLiteral("00010001") << QStringLiteral("0006")
                                           << QStringLiteral("2.68") << Outcome::Evaluated << QString();
    QTest::newRow("half a cent negative rounds away from zero")
        << QStringLiteral("00010001") << QStringLiteral("0007") << QStringLiteral("-0.01") << Outcome::Evaluated
        << QString();
    QTest::newRow("other position") << QStringLiteral("00010002") << QStringLiteral("0002")
                                    << QStringLiteral("400.00") << Outcome::Evaluated << QString();
    QTest::newRow("codes with quotes") << QStringLiteral("00'30001") << QStringLiteral("0'2")
                                       << QStringLiteral("42.63") << Outcome::Evaluated << QString();
    QTest::newRow("division by a headcount of zero")
        << QStringLiteral("00010001") << QStringLiteral("0008") << QStringLiteral("0.00") << Outcome::Evaluated
        << QStringLiteral("Floating point division by zero");
    QTest::newRow("empty formula") << QStringLiteral("00010001") << QStringLiteral("0004") << QStringLiteral("0.00")
                                   << Outcome::EmptyFormula << QString();
    QTest::newRow("no formula for the category") << QStringLiteral("00010001") << QStringLiteral("0099")
                                                 << QStringLiteral("0.00") << Outcome::NoFormula << QString();
    QTest::newRow("employee without a position") << QStringLiteral("00020002") << QStringLiteral("0002")
                                                 << QStringLiteral("0.00") << Outcome::NoFormula << QString();
    QTest::newRow("department code names no employee") << QStringLiteral("0001") << QStringLiteral("0002")
                                                       << QStringLiteral("0.00") << Outcome::NoEmployee << QString();
    QTest::newRow("empty employee code") << QString() << QStringLiteral("0002") << QStringLiteral("0.00")
                                         << Outcome::NoEmployee << QString();
}

void TestFormulaExpansion::cells()
{
    QFETCH(QString, employee);
    QFETCH(QString, category);
    QFETCH(QString, text);
    QFETCH(Outcome, outcome);
    QFETCH(QString, reason);

    RecordingPrompts prompts;
    const FormulaExpander::Cell cell = m_expander->CalcCell(employee, category);
    QCOMPARE(cell.text, text);
    QCOMPARE(cell.outcome, outcome);
    if (reason.isEmpty())
        QCOMPARE(cell.failure, QString());
    else
        QVERIFY2(cell.failure.endsWith(QStringLiteral("\r错误原因：") + reason), qPrintable(cell.failure));
    QVERIFY(prompts.shown.isEmpty());
}

void TestFormulaExpansion::cellReadsPositionThenFormulaThenTokens()
{
    QStringList statements;
    m_expander->setQueryTrace([&](const QString &text) { statements << text; });
    const FormulaExpander::Cell cell = m_expander->CalcCell(QStringLiteral("00010002"), QStringLiteral("0002"));
    QCOMPARE(cell.text, QStringLiteral("400.00"));
    QCOMPARE(statements,
             (QStringList{
                 QStringLiteral("Select FuncCode from TEmployee Where Code='00010002'"),
                 QStringLiteral("Select Formula from TFormula Where FuncCode='02' And CustTypeCode='0002'"),
                 QStringLiteral("Select Sum(Total) from TBillDetail Where EMPID='00010001' And CustCode='0002' And "
                                "OcrDate>=#2024-03-01# And OcrDate<#2024-04-01#"),
                 QStringLiteral("Select Count(*) from TEmployee Where FuncCode='01'"),
             }));
}

void TestFormulaExpansion::cellReportsDatabaseFailure()
{
    RecordingPrompts prompts;
    QVERIFY(m_fixture->exec(QStringLiteral("DROP TABLE TFormula")));
    FormulaExpander::Cell cell = m_expander->CalcCell(QStringLiteral("00010001"), QStringLiteral("0002"));
    QCOMPARE(cell.outcome, Outcome::DatabaseFailure);
    QCOMPARE(cell.text, QString());

    m_fixture->connection()->close();
    cell = m_expander->CalcCell(QStringLiteral("00010001"), QStringLiteral("0002"));
    QCOMPARE(cell.outcome, Outcome::DatabaseFailure);
    QVERIFY(prompts.shown.isEmpty());
}

void TestFormulaExpansion::statementsSurviveReopening()
{
    // Restoring a backup closes and reopens the shared connection under an open window.
    QCOMPARE(m_expander->CalcCell(QStringLiteral("00010001"), QStringLiteral("0002")).text, QStringLiteral("100.00"));
    m_fixture->connection()->close();
    QCOMPARE(m_expander->GetValue2(QStringLiteral("{SUM_D 0001:x")), 0);
    m_fixture->connection()->open();
    QVERIFY(m_fixture->exec(QStringLiteral("UPDATE TBillDetail SET Total = 400 WHERE Total = 200")));
    QCOMPARE(m_expander->CalcCell(QStringLiteral("00010001"), QStringLiteral("0002")).text, QStringLiteral("166.67"));
}

QTEST_GUILESS_MAIN(TestFormulaExpansion)
#include "tst_formulaexpansion.moc"
