// The text helpers that every window shares: the "0.00" format, SQL quoting, GBK byte
// lengths and the 30-byte cut, pinyin initials and the by-name order.
#include "platform/text/AmountFormat.h"
#include "platform/text/ChineseCollator.h"
#include "platform/text/Gbk.h"
#include "platform/text/Pinyin.h"
#include "platform/text/SqlText.h"

#include <QtTest>

class TestTextHelpers : public QObject {
    Q_OBJECT

private slots:
    void formatsAmountsHalfAwayFromZero_data();
    void formatsAmountsHalfAwayFromZero();
    void formatsEvaluatorResults_data();
    void formatsEvaluatorResults();
    void roundsDecimalText_data();
    void roundsDecimalText();
    void quotesSql_data();
    void quotesSql();
    void countsAndCutsGbkBytes_data();
    void countsAndCutsGbkBytes();
    void gbkRoundTrip();
    void pinyinInitials_data();
    void pinyinInitials();
    void pinyinInitialTableEdges_data();
    void pinyinInitialTableEdges();
    void ordersByName_data();
    void ordersByName();
};

void TestTextHelpers::formatsAmountsHalfAwayFromZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("integer") << 500.0 << "500.00";
    QTest::newRow("one decimal") << 12.5 << "12.50";
    QTest::newRow("tie 0.125 up") << 0.125 << "0.13";
    QTest::newRow("tie 2.675 up (binary value is below)") << 2.675 << "2.68";
    QTest::newRow("tie 1.005 up") << 1.005 << "1.01";
    QTest::newRow("negative tie away from zero") << -0.125 << "-0.13";
    QTest::newRow("negative 2.675") << -2.675 << "-2.68";
    QTest::newRow("below tie") << 0.124999 << "0.12";
    QTest::newRow("carry into integer") << 9.995 << "10.00";
    QTest::newRow("carry through nines") << 999.999 << "1000.00";
    QTest::newRow("tiny negative is unsigned zero") << -0.001 << "0.00";
    QTest::newRow("negative zero") << -0.0 << "0.00";
    QTest::newRow("no grouping") << 1234567.891 << "1234567.89";
    QTest::newRow("large") << 1e15 << "1000000000000000.00";
    QTest::newRow("tiny") << 1e-9 << "0.00";
    QTest::newRow("sum noise") << 0.1 + 0.2 << "0.30";
}

void TestTextHelpers::formatsAmountsHalfAwayFromZero()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatAmount(value), text);
}

void TestTextHelpers::formatsEvaluatorResults_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("text");
    QTest::newRow("2.675 parsed as long double") << "2.675" << "2.68";
    QTest::newRow("one third") << "1/3" << "0.33";
    QTest::newRow("two thirds") << "2/3" << "0.67";
    QTest::newRow("tie after arithmetic 3*0.335") << "3*0.335" << "1.01";
    QTest::newRow("negative tie") << "-1.125" << "-1.13";
}

void TestTextHelpers::formatsEvaluatorResults()
{
    QFETCH(QString, expression);
    QFETCH(QString, text);
    long double v = 0;
    if (expression == QLatin1String("1/3"))
        v = 1.0L / 3.0L;
    else if (expression == QLatin1String("2/3"))
        v = 2.0L / 3.0L;
    else if (expression == QLatin1String("3*0.335"))
        v = 3.0L * 0.335L;
    else
        v = std::strtold(expression.toLatin1().constData(), nullptr);
    QCOMPARE(FormatAmount(v), text);
}

void TestTextHelpers::roundsDecimalText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("output");
    QTest::newRow("plain") << "12.345" << 2 << "12.35";
    QTest::newRow("negative") << "-12.345" << 2 << "-12.35";
    QTest::newRow("exponent") << "1.5e-2" << 2 << "0.02";
    QTest::newRow("leading point") << ".5" << 0 << "1";
    QTest::newRow("integer") << "7" << 2 << "7.00";
    QTest::newRow("not a number") << "12a" << 2 << "";
    QTest::newRow("two points") << "1.2.3" << 2 << "";
    QTest::newRow("empty") << "" << 2 << "";
}

void TestTextHelpers::roundsDecimalText()
{
    QFETCH(QString, input);
    QFETCH(int, decimals);
    QFETCH(QString, output);
    QCOMPARE(RoundDecimalText(input, decimals), output);
}

void TestTextHelpers::quotesSql_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("plain") << "行政部" << "行政部";
    QTest::newRow("one quote") << "O'Neil" << "O''Neil";
    QTest::newRow("only quotes") << "''" << "''''";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("injection stays a value") << "x' or '1'='1" << "x'' or ''1''=''1";
}

void TestTextHelpers::quotesSql()
{
    QFETCH(QString, value);
    QFETCH(QString, escaped);
    QCOMPARE(SqlEscape(value), escaped);
    QCOMPARE(QuotedStr(value), QLatin1Char('\'') + escaped + QLatin1Char('\''));
}

void TestTextHelpers::countsAndCutsGbkBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("cutTo30");
    QTest::newRow("ascii") << "Sales" << 5 << "Sales";
    QTest::newRow("chinese two bytes each") << "行政部" << 6 << "行政部";
    QTest::newRow("20 chinese chars keep 15")
        << "一二三四五六七八九十甲乙丙丁戊己庚辛壬癸" << 40 << "一二三四五六七八九十甲乙丙丁戊";
    QTest::newRow("never half a character") << "a一二三四五六七八九十甲乙丙丁戊" << 31
                                            << "a一二三四五六七八九十甲乙丙丁";
    QTest::newRow("31 ascii cut to 30") << QString(31, u'x') << 31 << QString(30, u'x');
    QTest::newRow("full-width punctuation") << "（）！" << 6 << "（）！";
    QTest::newRow("emoji outside gbk counts two, not split") << QString::fromUtf8("\xF0\x9F\x98\x80") + QString(28, u'x')
                                                             << 30 << QString::fromUtf8("\xF0\x9F\x98\x80") + QString(28, u'x');
    QTest::newRow("empty") << "" << 0 << "";
}

void TestTextHelpers::countsAndCutsGbkBytes()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QFETCH(QString, cutTo30);
    QCOMPARE(GbkLength(text), bytes);
    QCOMPARE(CutToGbkBytes(text, 30), cutTo30);
    QVERIFY(GbkLength(CutToGbkBytes(text, 30)) <= 30);
}

void TestTextHelpers::gbkRoundTrip()
{
    const QString text = QStringLiteral("张三 ab12（销售部）");
    const QByteArray gbk = ToGbk(text);
    QCOMPARE(uchar(gbk.at(0)), uchar(0xD5)); // 张 is D5C5
    QCOMPARE(uchar(gbk.at(1)), uchar(0xC5));
    QCOMPARE(FromGbk(gbk), text);
    QCOMPARE(ToGbk(QString::fromUtf8("a\xF0\x9F\x98\x80" "b")), QByteArray("a?b"));
}

void TestTextHelpers::pinyinInitials_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("initials");
    QTest::newRow("mixed") << "ab张三12" << "abZS12";
    QTest::newRow("position name") << "销售经理" << "XSJL";
    QTest::newRow("all rows") << "阿八擦搭蛾发噶哈击喀垃妈拿哦啪期然撒塌挖昔压匝" << "ABCDEFGHJKLMNOPQRSTWXYZ";
    QTest::newRow("second level gives space") << "亍" << " "; // D8A1
    QTest::newRow("full-width punctuation gives space") << "（A）" << " A ";
    QTest::newRow("gbk extension inside a row") << FromGbk(QByteArray("\xB1\x40", 2)) << "B"; // B140 lies in B0C5..B2C0
    QTest::newRow("gbk extension outside every row") << FromGbk(QByteArray("\x81\x40", 2)) << " ";
    QTest::newRow("ascii punctuation unchanged") << "a-b_c.1" << "a-b_c.1";
    QTest::newRow("outside gbk gives space") << QString::fromUtf8("\xF0\x9F\x98\x80") << " ";
    QTest::newRow("lone surrogate keeps the next letter") << QString(QChar(0xD83D)) + QLatin1Char('A') << " A";
    QTest::newRow("empty") << "" << "";
}

void TestTextHelpers::pinyinInitials()
{
    QFETCH(QString, text);
    QFETCH(QString, initials);
    QCOMPARE(PinyinInitials(text), initials);
}

void TestTextHelpers::pinyinInitialTableEdges_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("letter");
    QTest::newRow("before the table") << 0xB0A0u << " ";
    QTest::newRow("first A") << 0xB0A1u << "A";
    QTest::newRow("last A") << 0xB0C4u << "A";
    QTest::newRow("first B") << 0xB0C5u << "B";
    QTest::newRow("last H") << 0xBBF6u << "H";
    QTest::newRow("first J (no I)") << 0xBBF7u << "J";
    QTest::newRow("last T") << 0xCDD9u << "T";
    QTest::newRow("first W (no U, V)") << 0xCDDAu << "W";
    QTest::newRow("last Z") << 0xD7F9u << "Z";
    QTest::newRow("after the table") << 0xD7FAu << " ";
    QTest::newRow("single high byte at the end") << 0xB000u << " ";
}

void TestTextHelpers::pinyinInitialTableEdges()
{
    QFETCH(uint, code);
    QFETCH(QString, letter);
    QCOMPARE(QString(PinyinInitial(code)), letter);
}

void TestTextHelpers::ordersByName_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("pinyin, not code points") << QStringList{"张三", "阿明", "李四", "王五"}
                                             << QStringList{"阿明", "李四", "王五", "张三"};
    QTest::newRow("departments") << QStringList{"销售部", "财务部", "行政部", "技术部"}
                                 << QStringList{"财务部", "技术部", "销售部", "行政部"};
    QTest::newRow("latin before han") << QStringList{"中", "b", "A"} << QStringList{"A", "b", "中"};
    QTest::newRow("equal texts keep a fixed order") << QStringList{"甲", "甲"} << QStringList{"甲", "甲"};
}

void TestTextHelpers::ordersByName()
{
    QFETCH(QStringList, input);
    QFETCH(QStringList, sorted);
    SortByName(input);
    QCOMPARE(input, sorted);
    for (int i = 0; i + 1 < sorted.size(); ++i)
        QVERIFY(!LessByName(sorted.at(i + 1), sorted.at(i)));
}

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
