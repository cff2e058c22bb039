#include "allocation/FormulaSql.h"
#include "allocation/FormulaTokens.h"

#include <QtTest>

#include <QHash>

namespace {

QString kindName(FormulaToken kind)
{
    switch (kind) {
    case FormulaToken::CountEmp:
        return QStringLiteral("COUNTEMP");
    case FormulaToken::Count:
        return QStringLiteral("COUNT");
    case FormulaToken::SumD:
        return QStringLiteral("SUM_D");
    case FormulaToken::SumF:
        return QStringLiteral("SUM_F");
    }
    return QString();
}

} // namespace

class TestFormulaTokens : public QObject {
    Q_OBJECT

private slots:
    void keywords();

    void readsCodes_data();
    void readsCodes();

    void expands_data();
    void expands();

    void failureMessage();

    void statements_data();
    void statements();
};

void TestFormulaTokens::keywords()
{
    QCOMPARE(TokenKeyword(FormulaToken::CountEmp), QStringLiteral("{COUNTEMP "));
    QCOMPARE(TokenKeyword(FormulaToken::Count), QStringLiteral("{COUNT "));
    QCOMPARE(TokenKeyword(FormulaToken::SumD), QStringLiteral("{SUM_D "));
    QCOMPARE(TokenKeyword(FormulaToken::SumF), QStringLiteral("{SUM_F "));
}

void TestFormulaTokens::readsCodes_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("twoPart");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("money token with tree paths")
        << QStringLiteral("{COUNT 00030001:销售部\\华东大区\\ 00010002:管理费用\\通讯费\\") << true
        << QStringLiteral("00030001") << QStringLiteral("00010002");
    QTest::newRow("employee money token")
        << QStringLiteral("{COUNTEMP 000300010001:销售部\\张伟\\ 0002:差旅费\\") << true
        << QStringLiteral("000300010001") << QStringLiteral("0002");
    QTest::newRow("headcount of a department") << QStringLiteral("{SUM_D 0003:销售部") << false
                                               << QStringLiteral("0003") << QString();
    QTest::newRow("headcount of a position") << QStringLiteral("{SUM_F 03:销售代表") << false
                                             << QStringLiteral("03") << QString();
    QTest::newRow("label with spaces after the last code") << QStringLiteral("{SUM_F 03:销售 代表") << false
                                                           << QStringLiteral("03") << QString();
    QTest::newRow("empty code") << QStringLiteral("{SUM_D :全部") << false << QString() << QString();
    QTest::newRow("empty codes in a money token") << QStringLiteral("{COUNT :a\\ :b\\") << true << QString()
                                                  << QString();
    QTest::newRow("no colon gives an empty code") << QStringLiteral("{SUM_D 0001") << false << QString()
                                                  << QString();
    QTest::newRow("colon in the label") << QStringLiteral("{SUM_F 01:经理:兼职") << false << QStringLiteral("01")
                                        << QString();
    QTest::newRow("quote in the codes") << QStringLiteral("{COUNT 00'3:x\\ 0'2:y\\") << true
                                        << QStringLiteral("00'3") << QStringLiteral("0'2");
    // Without a second part nothing is removed, so the first code is read again.
    QTest::newRow("missing second part") << QStringLiteral("{COUNT 0001:x") << true << QStringLiteral("0001")
                                         << QStringLiteral("0001");
    QTest::newRow("no space at all") << QStringLiteral("abc:d") << true << QStringLiteral("abc")
                                     << QStringLiteral("abc");
    QTest::newRow("empty token") << QString() << true << QString() << QString();
}

void TestFormulaTokens::readsCodes()
{
    QFETCH(QString, token);
    QFETCH(bool, twoPart);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const TokenCodes codes = ReadTokenCodes(token, twoPart);
    QCOMPARE(codes.first, first);
    QCOMPARE(codes.second, second);
}

void TestFormulaTokens::expands_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("expanded");
    QTest::addColumn<QStringList>("calls");  // kind + " " + token text, in order
    QTest::addColumn<bool>("problem");

    const QString count = QStringLiteral("{COUNT 0001:总部\\ 0002:办公费\\");
    const QString sumD = QStringLiteral("{SUM_D 0001:总部");

    QTest::newRow("no token") << QStringLiteral("100/4") << QStringLiteral("100/4") << QStringList() << false;
    QTest::newRow("money over headcount")
        << count + QStringLiteral("}/") + sumD + QStringLiteral("}") << QStringLiteral("300.00/3.00")
        << QStringList{QStringLiteral("COUNT ") + count, QStringLiteral("SUM_D ") + sumD} << false;
    QTest::newRow("employee keyword before the department keyword")
        << QStringLiteral("{COUNTEMP 00010001:甲 0002:乙}*2") << QStringLiteral("200.00*2")
        << QStringList{QStringLiteral("COUNTEMP {COUNTEMP 00010001:甲 0002:乙")} << false;
    QTest::newRow("position headcount") << QStringLiteral("({SUM_F 01:经理})") << QStringLiteral("(2.00)")
                                        << QStringList{QStringLiteral("SUM_F {SUM_F 01:经理")} << false;
    QTest::newRow("negative sum") << QStringLiteral("{COUNT 0002:a 0002:b}+1") << QStringLiteral("-12.50+1")
                                  << QStringList{QStringLiteral("COUNT {COUNT 0002:a 0002:b")} << false;
    QTest::newRow("rounded half away from zero")
        << QStringLiteral("{SUM_F r1:x} {SUM_F r2:x} {SUM_F r3:x} {SUM_F r4:x}")
        << QStringLiteral("2.68 0.13 -0.01 0.00")
        << QStringList{QStringLiteral("SUM_F {SUM_F r1:x"), QStringLiteral("SUM_F {SUM_F r2:x"),
                       QStringLiteral("SUM_F {SUM_F r3:x"), QStringLiteral("SUM_F {SUM_F r4:x")}
        << false;
    QTest::newRow("line breaks are kept") << QStringLiteral("{SUM_D 0001:总部}\r\n/3")
                                          << QStringLiteral("3.00\r\n/3")
                                          << QStringList{QStringLiteral("SUM_D ") + sumD} << false;
    QTest::newRow("stray closing brace stays") << QStringLiteral("}{SUM_D 0001:总部}}")
                                               << QStringLiteral("}3.00}")
                                               << QStringList{QStringLiteral("SUM_D ") + sumD} << false;
    QTest::newRow("brace inside a token") << QStringLiteral("{SUM_D 0001:{x}") << QStringLiteral("3.00")
                                          << QStringList{QStringLiteral("SUM_D {SUM_D 0001:{x")} << false;
    QTest::newRow("unknown keyword stops") << QStringLiteral("{SUM_F 01:经理}+{TOTAL 1}+{SUM_D 0001:x}")
                                           << QStringLiteral("2.00+{TOTAL 1}+{SUM_D 0001:x}")
                                           << QStringList{QStringLiteral("SUM_F {SUM_F 01:经理")} << true;
    QTest::newRow("keywords are case-sensitive") << QStringLiteral("{sum_d 0001:x}")
                                                 << QStringLiteral("{sum_d 0001:x}") << QStringList() << true;
    QTest::newRow("keyword needs its space") << QStringLiteral("{SUM_D0001:x}") << QStringLiteral("{SUM_D0001:x}")
                                             << QStringList() << true;
    QTest::newRow("lone brace") << QStringLiteral("1+{") << QStringLiteral("1+{") << QStringList() << true;
    QTest::newRow("token without closing brace") << QStringLiteral("2*{SUM_D 0001:x")
                                                 << QStringLiteral("2*{SUM_D 0001:x") << QStringList() << true;
}

void TestFormulaTokens::expands()
{
    QFETCH(QString, formula);
    QFETCH(QString, expanded);
    QFETCH(QStringList, calls);
    QFETCH(bool, problem);

    const QHash<QString, double> values = {
        {QStringLiteral("0001"), 300}, // COUNT 0001 / SUM_D 0001 below
        {QStringLiteral("00010001"), 200},
        {QStringLiteral("0002"), -12.5},
        {QStringLiteral("01"), 2},
        {QStringLiteral("r1"), 2.675},
        {QStringLiteral("r2"), 0.125},
        {QStringLiteral("r3"), -0.005},
        {QStringLiteral("r4"), -0.004},
    };
    QStringList seen;
    const TokenExpansion result = ExpandTokens(formula, [&](FormulaToken kind, const QString &token) {
        seen << kindName(kind) + QLatin1Char(' ') + token;
        const bool twoPart = kind == FormulaToken::Count || kind == FormulaToken::CountEmp;
        const QString code = ReadTokenCodes(token, twoPart).first;
        if (kind == FormulaToken::SumD)
            return code == QLatin1String("0001") ? 3.0 : 0.0;
        return values.value(code);
    });
    QCOMPARE(result.text, expanded);
    QCOMPARE(seen, calls);
    QCOMPARE(!result.problem.isEmpty(), problem);
}

void TestFormulaTokens::failureMessage()
{
    const QString text = FormulaFailureMessage(QStringLiteral("{COUNT 0001:总部\\ 0002:办公费\\}/{SUM_D 9:无}"),
                                               QStringLiteral("Floating point division by zero"));
    QCOMPARE(text, QString::fromUtf8("计算表达式：{COUNT 0001:总部\\ 0002:办公费\\}/{SUM_D 9:无} 发生错误！\r"
                                     "错误原因：Floating point division by zero"));
}

void TestFormulaTokens::statements_data()
{
    QTest::addColumn<QString>("built");
    QTest::addColumn<QString>("expected");

    const QDate march1(2024, 3, 1);
    const QDate march31(2024, 3, 31);
    QTest::newRow("department money") << CountTokenSql(QStringLiteral("0001"), QStringLiteral("0002"), march1, march31)
                                      << QStringLiteral("Select Sum(Total) from TBillDetail Where DepartCode='0001' "
                                                        "And CustCode='0002' And OcrDate>=#2024-03-01# And "
                                                        "OcrDate<#2024-04-01#");
    QTest::newRow("employee money across the year end")
        << CountEmpTokenSql(QStringLiteral("00010001"), QStringLiteral("0002"), QDate(2024, 12, 1),
                            QDate(2024, 12, 31))
        << QStringLiteral("Select Sum(Total) from TBillDetail Where EMPID='00010001' And CustCode='0002' And "
                          "OcrDate>=#2024-12-01# And OcrDate<#2025-01-01#");
    QTest::newRow("leap day") << CountTokenSql(QString(), QString(), QDate(2024, 2, 1), QDate(2024, 2, 28))
                              << QStringLiteral("Select Sum(Total) from TBillDetail Where DepartCode='' And "
                                                "CustCode='' And OcrDate>=#2024-02-01# And OcrDate<#2024-02-29#");
    QTest::newRow("quotes doubled in money") << CountTokenSql(QStringLiteral("00'3"), QStringLiteral("0'2"), march1,
                                                              march1)
                                             << QStringLiteral("Select Sum(Total) from TBillDetail Where "
                                                               "DepartCode='00''3' And CustCode='0''2' And "
                                                               "OcrDate>=#2024-03-01# And OcrDate<#2024-03-02#");
    QTest::newRow("department headcount") << SumDTokenSql(QStringLiteral("0001"))
                                          << QStringLiteral("Select Count(*) from TEmployee Where TypeCode like "
                                                            "'0001%'");
    QTest::newRow("department headcount, quote") << SumDTokenSql(QStringLiteral("O'N"))
                                                 << QStringLiteral("Select Count(*) from TEmployee Where TypeCode "
                                                                   "like 'O''N%'");
    QTest::newRow("position headcount") << SumFTokenSql(QStringLiteral("03"))
                                        << QStringLiteral("Select Count(*) from TEmployee Where FuncCode='03'");
    QTest::newRow("position of an employee") << EmployeeFuncSql(QStringLiteral("0001'0001"))
                                             << QStringLiteral("Select FuncCode from TEmployee Where "
                                                               "Code='0001''0001'");
    QTest::newRow("formula of a position and category")
        << FormulaLookupSql(QStringLiteral("02"), QStringLiteral("00010002"))
        << QStringLiteral("Select Formula from TFormula Where FuncCode='02' And CustTypeCode='00010002'");
}

void TestFormulaTokens::statements()
{
    QFETCH(QString, built);
    QFETCH(QString, expected);
    QCOMPARE(built, expected);
}

QTEST_GUILESS_MAIN(TestFormulaTokens)
#include "tst_formulatokens.moc"
