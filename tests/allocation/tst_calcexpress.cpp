#include "allocation/CalcExpress.h"
#include "RecordingPrompts.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(long double)

namespace {

const QString kFormulaError = QStringLiteral("Error in formula.");
const QString kDivisionByZero = QStringLiteral("Floating point division by zero");
const QString kInvalid = QStringLiteral("Invalid floating point operation");
const QString kOverflow = QStringLiteral("Floating point overflow");

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kE = 2.718281828459045235360287471352662498L;

// The reason of the EvalError that Evaluate raises, or "" when it returns.
QString reasonOf(const TCalcExpress &calc, const std::vector<long double> &values = {})
{
    try {
        calc.Evaluate(values);
    } catch (const EvalError &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

QString show(long double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.21Lg", v);
    return QString::fromLatin1(buffer);
}

QString nested(const QString &open, int levels, const QString &inner)
{
    return open.repeated(levels) + inner + QStringLiteral(")").repeated(levels);
}

} // namespace

class TestCalcExpress : public QObject {
    Q_OBJECT

private slots:
    void startsWithZero();

    void evaluates_data();
    void evaluates();

    void rejects_data();
    void rejects();

    void faults_data();
    void faults();

    void keepsLowerCasedText_data();
    void keepsLowerCasedText();

    void extendedPrecision();
    void literalsAreCorrectlyRounded_data();
    void literalsAreCorrectlyRounded();
    void failedParseDropsTheOldTree();
    void variables();
    void deepNestingIsRejectedNotOverflowed();
    void longFlatFormulas();
};

void TestCalcExpress::startsWithZero()
{
    RecordingPrompts prompts;
    TCalcExpress calc;
    QCOMPARE(calc.formula(), QStringLiteral("0"));
    QVERIFY(calc.variables().isEmpty());
    QCOMPARE(double(calc.Evaluate({})), 0.0);
    QVERIFY(prompts.shown.isEmpty());
}

void TestCalcExpress::evaluates_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<long double>("expected");
    QTest::addColumn<long double>("tolerance"); // relative; 0 = exact

    auto row = [](const char *name, const char *formula, long double expected, long double tolerance = 0) {
        QTest::newRow(name) << QString::fromUtf8(formula) << expected << tolerance;
    };
    const long double tight = 1e-17L;

    row("zero", "0", 0);
    row("precedence", "1+2*3", 7);
    row("parentheses", "(1+2)*3", 9);
    row("division from the left", "8/2/2", 2);
    row("subtraction from the left", "1-2-3", -4);
    row("powers from the left", "2^3^2", 64);
    row("spaces are skipped", "  1 +   2 ", 3);
    row("binary minus before a digit", "10-2", 8);
    row("binary minus without spaces after )", "(10)-2", 8);
    row("double parentheses", "((2))", 2);

    row("negative literal is one token", "-2^2", 4);
    row("negation wraps the power", "-(2)^2", -4);
    row("negation wraps the whole term", "-(2)^2*3", -12);
    row("negative literal times", "-3*2", -6);
    row("negation then plus", "-+2", -2);
    row("leading plus", "+2", 2);
    row("leading minus before a space", "- 2", -2);
    row("sign after (", "2*(-3)", -6);
    row("negation after (", "3-(-(2))", 5);
    row("negative exponent in parentheses", "2^(-1)", 0.5L);
    row("parenthesised exponent", "(-8)^(2)", 64);
    row("odd power of a negative base", "(-2)^(3)", -8);
    row("non-integral exponent", "4^0.5", 2, tight);
    row("negative non-integral exponent", "4^(-0.5)", 0.5L, tight);
    row("zero to the zero", "0^0", 1);
    row("zero to a positive power", "0^2", 0);
    row("zero to a non-integral power", "0^0.5", 0);
    row("large integral power", "2^64", 18446744073709551616.0L);
    row("negative integral power", "2^(-3)", 0.125L);
    row("exponent beyond 32 bits goes through ln", "1^3000000000", 1);

    row("upper case", "SIN(0)", 0);
    row("cos", "cos(0)", 1);
    row("sin", "sin(1)", sinl(1.0L), tight);
    row("cos of 2^63 is zero", "cos(9223372036854775808)", 0);
    row("sin of 2^63 is zero", "sin(-9223372036854775808)", 0);
    row("sin just below 2^63", "sin(9223372036854775807)", sinl(9223372036854775807.0L), tight);
    row("tg", "tg(1)", tanl(1.0L), tight);
    row("ctg", "ctg(1)", 1 / tanl(1.0L), tight);
    row("abs", "abs(-3.5)", 3.5L);
    row("sgn of zero", "sgn(0)", 0);
    row("sgn", "sgn(7)", 1);
    row("sign", "sign(-5)", -1);
    row("sqrt", "sqrt(16)", 4);
    row("ln", "ln(1)", 0);
    row("exp", "exp(1)", kE, tight);
    row("ln of exp", "ln(exp(2))", 2, tight);
    row("arcsin of one", "arcsin(1)", kPi / 2, tight);
    row("arcsin of minus one", "arcsin(-1)", -kPi / 2, tight);
    row("arccos of one", "arccos(1)", 0);
    row("arccos of zero", "arccos(0)", kPi / 2, tight);
    row("arctg", "arctg(1)", kPi / 4, tight);
    row("arctan", "arctan(1)", kPi / 4, tight);
    row("arcctg of zero", "arcctg(0)", kPi / 2, tight);
    row("sh", "sh(1)", (kE - 1 / kE) / 2, tight);
    row("sinh", "sinh(0)", 0);
    row("ch", "ch(1)", (kE + 1 / kE) / 2, tight);
    row("cosh", "cosh(0)", 1);
    row("th", "th(1)", (kE - 1 / kE) / (kE + 1 / kE), tight);
    row("tanh", "tanh(0)", 0);
    row("cth", "cth(1)", (kE + 1 / kE) / (kE - 1 / kE), tight);
    row("coth", "coth(1)", (kE + 1 / kE) / (kE - 1 / kE), tight);
    row("h of zero", "h(0)", 1);
    row("heaviside of zero", "heaviside(0)", 1);
    row("h of a negative value", "h(-0.01)", 0);
    row("function of an expression", "sqrt(2*8)+abs(-(1+1))", 6);
    row("nested functions", "sqrt(sqrt(16))", 2);
    row("negative literal in a function", "abs(-4)", 4);
    row("power of a function", "sqrt(4)^3", 8);

    row("exponent", "1.5e3", 1500);
    row("upper-case exponent", "2E2", 200);
    row("signed exponent", "25e-2", 0.25L);
    row("plus in the exponent", "1e+2", 100);
    row("leading zeros", "007", 7);
    row("underflow gives zero", "1e-4000*1e-4000", 0);
    row("exp underflow gives zero", "exp(-20000)", 0);
    row("literal below the range gives zero", "1e-5000", 0);
    row("typical expanded formula", "(1234.50+20.00)/3.00*2.00-sqrt(4.00)", 834.333333333333333333L, tight);
}

void TestCalcExpress::evaluates()
{
    QFETCH(QString, formula);
    QFETCH(long double, expected);
    QFETCH(long double, tolerance);
    RecordingPrompts prompts;
    TCalcExpress calc;
    calc.setFormula(formula);
    QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.lastMessage()));
    long double result = 0;
    try {
        result = calc.Evaluate({});
    } catch (const EvalError &e) {
        QFAIL(e.what());
    }
    const long double allowed = tolerance * std::max(1.0L, fabsl(expected));
    QVERIFY2(fabsl(result - expected) <= allowed,
             qPrintable(QStringLiteral("got %1, expected %2").arg(show(result), show(expected))));
}

void TestCalcExpress::rejects_data()
{
    QTest::addColumn<QString>("formula");
    auto row = [](const char *name, const QString &formula) { QTest::newRow(name) << formula; };

    row("empty", QString());
    row("spaces only", QStringLiteral("   "));
    row("plus then minus", QStringLiteral("+-2"));
    row("sign after times", QStringLiteral("2*-3"));
    row("sign after minus", QStringLiteral("2--3"));
    row("minus minus", QStringLiteral("1--1"));
    row("plus minus", QStringLiteral("1+-1"));
    row("double negation at the start", QStringLiteral("--2"));
    row("negative exponent without parentheses", QStringLiteral("2^-1"));
    row("expression as exponent", QStringLiteral("2^(1+1)"));
    row("function as exponent", QStringLiteral("2^sqrt(4)"));
    row("missing exponent", QStringLiteral("2^"));
    row("unclosed exponent", QStringLiteral("2^(3"));
    row("operand after exponent", QStringLiteral("2^(3)4"));
    row("separator without digits", QStringLiteral("1."));
    row("exponent without digits", QStringLiteral("1e"));
    row("exponent sign without digits", QStringLiteral("1e+"));
    row("number starting with the separator", QStringLiteral(".5"));
    row("two separators", QStringLiteral("1.2.3"));
    row("comma as separator", QStringLiteral("1,5"));
    row("unclosed parenthesis", QStringLiteral("(1+2"));
    row("extra closing parenthesis", QStringLiteral("1+2)"));
    row("closing before opening", QStringLiteral(")("));
    row("empty parentheses", QStringLiteral("()"));
    row("two operands", QStringLiteral("2 3"));
    row("operand before parenthesis", QStringLiteral("2(3)"));
    row("function without parentheses", QStringLiteral("sin 1"));
    row("function name alone", QStringLiteral("sqrt"));
    row("function with empty argument", QStringLiteral("sqrt()"));
    row("unknown function", QStringLiteral("log(1)"));
    row("undeclared variable", QStringLiteral("x+1"));
    row("digit glued to a name", QStringLiteral("2x"));
    row("dangling operator", QStringLiteral("1+"));
    row("leading times", QStringLiteral("*2"));
    row("double times", QStringLiteral("2**3"));
    row("double power", QStringLiteral("2^^3"));
    row("minus alone", QStringLiteral("-"));
    row("tab", QStringLiteral("1\t+2"));
    row("line feed", QStringLiteral("1\n+2"));
    row("carriage return and line feed", QStringLiteral("1\r\n+2"));
    row("full-width digit", QStringLiteral("１+2"));
    row("Chinese text", QStringLiteral("工资+1"));
    row("brace", QStringLiteral("{SUM_D 0001:x}"));
    row("NUL character", QString(QChar(0)) + QStringLiteral("1"));
}

void TestCalcExpress::rejects()
{
    QFETCH(QString, formula);
    RecordingPrompts prompts;
    TCalcExpress calc;
    calc.setFormula(formula);
    QCOMPARE(prompts.messages(), QStringList{kFormulaError});
    QCOMPARE(prompts.texts(QStringLiteral("message")).size(), 1);
    QCOMPARE(reasonOf(calc), kFormulaError);
}

void TestCalcExpress::faults_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("reason");
    auto row = [](const char *name, const char *formula, const QString &reason) {
        QTest::newRow(name) << QString::fromLatin1(formula) << reason;
    };

    row("one over zero", "1/0", kDivisionByZero);
    row("negative over zero", "-1/(1-1)", kDivisionByZero);
    row("zero over zero", "0/0", kInvalid);
    row("zero over computed zero", "(1-1)/0", kInvalid);
    row("ctg of zero", "ctg(0)", kDivisionByZero);
    row("cth of zero", "cth(0)", kDivisionByZero);
    row("ln of zero", "ln(0)", kDivisionByZero);
    row("ln of a negative value", "ln(-1)", kInvalid);
    row("zero to a negative integral power", "0^(-1)", kDivisionByZero);
    row("zero to a negative non-integral power", "0^(-0.5)", kDivisionByZero);
    row("sqrt of a negative value", "sqrt(-1)", kInvalid);
    row("arcsin outside the range", "arcsin(2)", kInvalid);
    row("arccos outside the range", "arccos(-1.5)", kInvalid);
    row("negative base, non-integral exponent", "(-8)^(0.5)", kInvalid);
    row("exp overflow", "exp(20000)", kOverflow);
    row("product overflow", "1e4000*1e4000", kOverflow);
    row("sum overflow", "1e4932+1e4932", kOverflow);
    row("literal beyond the range", "1e5000", kOverflow);
    row("integral power overflow", "2^100000", kOverflow);
    row("non-integral power overflow", "2^100000.5", kOverflow);
    row("sh overflow", "sh(20000)", kOverflow);
    row("ch overflow on the negative side", "ch(-20000)", kOverflow);
    row("arcsin of a huge value overflows first", "arcsin(1e3000)", kOverflow);
    row("fault inside a function", "sqrt(1/0)", kDivisionByZero);
    row("left operand faults first", "1/0+0/0", kDivisionByZero);
    row("left operand faults first, other order", "0/0+1/0", kInvalid);
}

void TestCalcExpress::faults()
{
    QFETCH(QString, formula);
    QFETCH(QString, reason);
    RecordingPrompts prompts;
    TCalcExpress calc;
    calc.setFormula(formula);
    QVERIFY2(prompts.shown.isEmpty(), "a formula that parses shows nothing");
    QCOMPARE(reasonOf(calc), reason);
    // The tree stays: the same fault again.
    QCOMPARE(reasonOf(calc), reason);
}

void TestCalcExpress::keepsLowerCasedText_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("stored");
    QTest::newRow("functions") << QStringLiteral("SQRT(4)+Abs(-1)") << QStringLiteral("sqrt(4)+abs(-1)");
    QTest::newRow("exponent mark") << QStringLiteral("1E3") << QStringLiteral("1e3");
    QTest::newRow("failed parse is stored too") << QStringLiteral("FOO(1") << QStringLiteral("foo(1");
    QTest::newRow("non-ASCII stays") << QStringLiteral("ÄÉ工+X") << QStringLiteral("ÄÉ工+x");
}

void TestCalcExpress::keepsLowerCasedText()
{
    QFETCH(QString, formula);
    QFETCH(QString, stored);
    RecordingPrompts prompts;
    TCalcExpress calc;
    calc.setFormula(formula);
    QCOMPARE(calc.formula(), stored);
}

void TestCalcExpress::extendedPrecision()
{
    RecordingPrompts prompts;
    TCalcExpress calc;
    // 2^63 + 1 needs 64 significant bits: a double would lose the 1.
    calc.setFormula(QStringLiteral("9223372036854775808+1-9223372036854775808"));
    QCOMPARE(double(calc.Evaluate({})), 1.0);
    calc.setFormula(QStringLiteral("1e4000/1e3990"));
    QVERIFY(fabsl(calc.Evaluate({}) - 1e10L) <= 1e-8L);
}

void TestCalcExpress::literalsAreCorrectlyRounded_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<long double>("expected");
    QTest::newRow("one tenth") << QStringLiteral("0.1") << 0.1L;
    QTest::newRow("cents") << QStringLiteral("1234.57") << 1234.57L;
    QTest::newRow("nineteen digits") << QStringLiteral("1234567890123456789") << 1234567890123456789.0L;
    QTest::newRow("beyond nineteen digits") << QStringLiteral("12345678901234567890123")
                                             << 12345678901234567890123.0L;
    QTest::newRow("many fraction digits") << QStringLiteral("0.333333333333333333333333333333")
                                           << 0.333333333333333333333333333333L;
    QTest::newRow("trailing zeros beyond nineteen digits") << QStringLiteral("100000000000000000000000000000")
                                                            << 1e29L;
    QTest::newRow("small exponent") << QStringLiteral("1e-4000") << 1e-4000L;
    QTest::newRow("large exponent") << QStringLiteral("3.5e4000") << 3.5e4000L;
    QTest::newRow("negative literal") << QStringLiteral("-0.7") << -0.7L;
    QTest::newRow("long zero fraction") << QStringLiteral("0.0000000000000000000000000000000000000001") << 1e-40L;
}

void TestCalcExpress::literalsAreCorrectlyRounded()
{
    QFETCH(QString, formula);
    QFETCH(long double, expected);
    TCalcExpress calc;
    calc.setFormula(formula);
    const long double result = calc.Evaluate({});
    QVERIFY2(result == expected, qPrintable(QStringLiteral("got %1, expected %2").arg(show(result), show(expected))));
}

void TestCalcExpress::failedParseDropsTheOldTree()
{
    RecordingPrompts prompts;
    TCalcExpress calc;
    calc.setFormula(QStringLiteral("1+2"));
    QCOMPARE(double(calc.Evaluate({})), 3.0);
    calc.setFormula(QStringLiteral("1+"));
    QCOMPARE(reasonOf(calc), kFormulaError);
    QCOMPARE(prompts.messages(), QStringList{kFormulaError});
    calc.setFormula(QStringLiteral("4*2"));
    QCOMPARE(double(calc.Evaluate({})), 8.0);
    QCOMPARE(prompts.messages().size(), 1);
}

void TestCalcExpress::variables()
{
    RecordingPrompts prompts;
    TCalcExpress calc;

    // Assigning the variables parses the current formula again.
    calc.setFormula(QStringLiteral("a*Rate+1"));
    QCOMPARE(prompts.messages(), QStringList{kFormulaError});
    calc.setVariables({QStringLiteral("A"), QStringLiteral("rate")});
    QCOMPARE(prompts.messages().size(), 1);
    QCOMPARE(calc.variables(), (QStringList{QStringLiteral("A"), QStringLiteral("rate")}));
    QCOMPARE(double(calc.Evaluate({2, 3})), 7.0);

    calc.setFormula(QStringLiteral("-a^2"));
    QCOMPARE(double(calc.Evaluate({3, 0})), -9.0);
    calc.setFormula(QStringLiteral("2^rate+2^(a)"));
    QCOMPARE(double(calc.Evaluate({1, 3})), 10.0);

    // A value the caller did not pass.
    calc.setFormula(QStringLiteral("rate"));
    QCOMPARE(reasonOf(calc, {1}), kInvalid);

    // Function names win over variables.
    calc.setVariables({QStringLiteral("sin")});
    calc.setFormula(QStringLiteral("sin+1"));
    QCOMPARE(reasonOf(calc, {5}), kFormulaError);
    QCOMPARE(prompts.messages().size(), 3); // "rate" is gone as well, and "sin+1" fails
}

void TestCalcExpress::deepNestingIsRejectedNotOverflowed()
{
    RecordingPrompts prompts;
    TCalcExpress calc;

    calc.setFormula(nested(QStringLiteral("("), 100, QStringLiteral("2")) + QStringLiteral("*3"));
    QCOMPARE(double(calc.Evaluate({})), 6.0);
    calc.setFormula(nested(QStringLiteral("abs("), 100, QStringLiteral("-2")));
    QCOMPARE(double(calc.Evaluate({})), 2.0);
    QVERIFY(prompts.shown.isEmpty());

    calc.setFormula(nested(QStringLiteral("("), 10000, QStringLiteral("1")));
    QCOMPARE(reasonOf(calc), kFormulaError);
    calc.setFormula(nested(QStringLiteral("sqrt("), 10000, QStringLiteral("4")));
    QCOMPARE(reasonOf(calc), kFormulaError);
    calc.setFormula(QStringLiteral("(").repeated(1000000));
    QCOMPARE(reasonOf(calc), kFormulaError);
    QCOMPARE(prompts.messages(), QStringList(3, kFormulaError));
}

void TestCalcExpress::longFlatFormulas()
{
    // Long chains are loops, not recursion: neither parsing nor evaluating goes deeper.
    RecordingPrompts prompts;
    TCalcExpress calc;
    const int terms = 200000;
    calc.setFormula(QStringLiteral("1") + QStringLiteral("+1").repeated(terms - 1));
    QCOMPARE(double(calc.Evaluate({})), double(terms));
    calc.setFormula(QStringLiteral("2") + QStringLiteral("^1").repeated(terms));
    QCOMPARE(double(calc.Evaluate({})), 2.0);
    calc.setFormula(QStringLiteral("(1)*").repeated(terms) + QStringLiteral("5"));
    QCOMPARE(double(calc.Evaluate({})), 5.0);
    // Right-nested operands keep every left value pending on the stack.
    calc.setFormula(nested(QStringLiteral("1+("), 200, QStringLiteral("1")));
    QCOMPARE(double(calc.Evaluate({})), 201.0);
    QVERIFY(prompts.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestCalcExpress)
#include "tst_calcexpress.moc"
