// Drawing the next employee code of a department, without a window.
#include "DmFixture.h"

#include "masterdata/EmployeeCode.h"
#include "platform/db/DataSet.h"

#include <QtTest>

class TestEmployeeCode : public QObject {
    Q_OBJECT
private slots:
    void nextCode_data();
    void nextCode();
    void drawFromTable_data();
    void drawFromTable();
    void drawRefusesWhenTheQueryFails();
    void statement();
};

void TestEmployeeCode::nextCode_data()
{
    QTest::addColumn<QString>("depart");
    QTest::addColumn<QString>("greatest");
    QTest::addColumn<QString>("code");

    QTest::newRow("first employee") << "0001" << "" << "00010001";
    QTest::newRow("first in a sub-department") << "00010002" << "" << "000100020001";
    QTest::newRow("next after two") << "0001" << "00010002" << "00010003";
    QTest::newRow("carry into tens") << "0003" << "00030009" << "00030010";
    QTest::newRow("greatest belongs to a sub-department") << "0001" << "000100010004" << "000110005";
    QTest::newRow("past 9999 the number grows a digit") << "0001" << "00019999" << "000110000";
    QTest::newRow("rest is not a number") << "0001" << "0001A001" << "";
    QTest::newRow("rest is empty") << "0001" << "0001" << "";
    QTest::newRow("rest has a sign") << "0001" << "0001-001" << "";
    QTest::newRow("rest too long for a number") << "0001" << "0001999999999999999999999" << "";
}

void TestEmployeeCode::nextCode()
{
    QFETCH(QString, depart);
    QFETCH(QString, greatest);
    QFETCH(QString, code);
    QCOMPARE(NextEmployeeCode(depart, greatest), code);
}

void TestEmployeeCode::drawFromTable_data()
{
    QTest::addColumn<QStringList>("employees"); // "TypeCode Code" pairs
    QTest::addColumn<QString>("depart");
    QTest::addColumn<QString>("code");

    QTest::newRow("empty department") << QStringList{"0001 00010001"} << "00010002" << "000100020001";
    QTest::newRow("department with two")
        << QStringList{"0001 00010001", "0001 00010002", "0002 00020007"} << "0001" << "00010003";
    QTest::newRow("gap after a delete is not filled") << QStringList{"0001 00010001", "0001 00010005"} << "0001"
                                                      << "00010006";
    QTest::newRow("sub-department employee counts for the parent")
        << QStringList{"0001 00010001", "00010001 000100010004"} << "0001" << "000110005";
    QTest::newRow("sub-department drawn on its own")
        << QStringList{"0001 00010001", "00010001 000100010004"} << "00010001" << "000100010005";
    QTest::newRow("greatest code not a number") << QStringList{"0001 0001X"} << "0001" << "";
    // The text maximum stops at 00019999 once 000110000 exists: drawing it again is refused.
    QTest::newRow("code already held") << QStringList{"0001 00019999", "0001 000110000"} << "0001" << "";
}

void TestEmployeeCode::drawFromTable()
{
    QFETCH(QStringList, employees);
    QFETCH(QString, depart);
    QFETCH(QString, code);

    DmFixture fx;
    for (const QString &pair : employees) {
        const QStringList parts = pair.split(u' ');
        QVERIFY(fx.exec(QStringLiteral("Insert into TEmployee (TypeCode, Code, UserName) Values('%1','%2','x')")
                            .arg(parts.at(0), parts.at(1))));
    }
    db::DataSet query(fx.connection());
    QCOMPARE(DrawEmployeeCode(query, depart), code);
    QVERIFY(!query.active());
}

void TestEmployeeCode::drawRefusesWhenTheQueryFails()
{
    DmFixture fx;
    QVERIFY(fx.exec(QStringLiteral("Drop Table TEmployee")));
    db::DataSet query(fx.connection());
    QCOMPARE(DrawEmployeeCode(query, QStringLiteral("0001")), QString());
}

void TestEmployeeCode::statement()
{
    QCOMPARE(EmployeeMaxCodeSql(QStringLiteral("0001")),
             QStringLiteral("Select Max(Code) from TEmployee Where TypeCode like '0001%'"));
}

QTEST_GUILESS_MAIN(TestEmployeeCode)
#include "tst_EmployeeCode.moc"
