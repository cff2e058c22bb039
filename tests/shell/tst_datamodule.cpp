// The data module's two read helpers: one value, or the first column of every row, with
// every failure swallowed.
#include "DmFixture.h"

#include <QtTest>

class TestDataModule : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void getDataBySQL_data();
    void getDataBySQL();
    void itemsSkipNullAndEmptyValues();
    void itemsKeepTheListWhenTheQueryFails();
    void itemsAppendWithoutClear();

private:
    std::unique_ptr<DmFixture> f;
};

void TestDataModule::init()
{
    f = std::make_unique<DmFixture>();
    QVERIFY(f->dm->ADOConnection1->connected());
    QVERIFY(f->exec(QStringLiteral("Insert into TEmployee (Code,UserName,MaxLimit) Values('00010001','张三',1500.5)")));
    QVERIFY(f->exec(QStringLiteral("Insert into TEmployee (Code,UserName,MaxLimit) Values('00010002','O''Neil',0)")));
    QVERIFY(f->exec(QStringLiteral("Insert into TBillDetail (Provider,PayStyle) Values('乙公司','现金')")));
    QVERIFY(f->exec(QStringLiteral("Insert into TBillDetail (Provider,PayStyle) Values(NULL,'')")));
    QVERIFY(f->exec(QStringLiteral("Insert into TBillDetail (Provider,PayStyle) Values('甲公司','转账')")));
    QVERIFY(f->exec(QStringLiteral("Insert into TBillDetail (Provider,PayStyle) Values('','现金')")));
}

void TestDataModule::cleanup()
{
    f.reset();
}

void TestDataModule::getDataBySQL_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("result");
    QTest::newRow("a number") << "Select MaxLimit from TEmployee where Code='00010001'" << "1500.5";
    QTest::newRow("a name with a quote") << "Select UserName from TEmployee where UserName='O''Neil'" << "O'Neil";
    QTest::newRow("no row") << "Select MaxLimit from TEmployee where Code='9999'" << "";
    QTest::newRow("Max over no rows") << "Select Max(TypeCode) from TEmpClass Where ParTypeCode=''" << "";
    QTest::newRow("Sum over no rows") << "Select Sum(Total) from TBillDetail where DepartCode='x'" << "";
    QTest::newRow("first column whatever its name") << "Select Count(*) as n, 5 from TEmployee" << "2";
    QTest::newRow("syntax error is silent") << "Selec MaxLimit frm TEmployee" << "";
    QTest::newRow("missing table is silent") << "Select * from TNothing" << "";
}

void TestDataModule::getDataBySQL()
{
    QFETCH(QString, sql);
    QFETCH(QString, result);
    QCOMPARE(DM->GetDataBySQL(sql), result);
}

void TestDataModule::itemsSkipNullAndEmptyValues()
{
    QStringList items{QStringLiteral("old")};
    QCOMPARE(DM->GetDataBySQLToItems(QStringLiteral("Select Distinct Provider from TBillDetail order by Provider"), items, true),
             QString());
    // SQL orders text by code point; the helper keeps the query's order.
    QCOMPARE(items, QStringList({"乙公司", "甲公司"}));
    DM->GetDataBySQLToItems(QStringLiteral("Select Distinct PayStyle from TBillDetail order by PayStyle"), items, true);
    QCOMPARE(items.size(), 2);
    QVERIFY(items.contains(QStringLiteral("现金")) && items.contains(QStringLiteral("转账")));
}

void TestDataModule::itemsKeepTheListWhenTheQueryFails()
{
    QStringList items{QStringLiteral("现金"), QStringLiteral("支票")};
    DM->GetDataBySQLToItems(QStringLiteral("Select Distinct Nothing from TBillDetail"), items, true);
    QCOMPARE(items, QStringList({"现金", "支票"}));
    // A closed connection is a failure like any other.
    DM->ADOConnection1->close();
    DM->GetDataBySQLToItems(QStringLiteral("Select Distinct PayStyle from TBillDetail"), items, true);
    QCOMPARE(items, QStringList({"现金", "支票"}));
    QCOMPARE(DM->GetDataBySQL(QStringLiteral("Select 1")), QString());
}

void TestDataModule::itemsAppendWithoutClear()
{
    QStringList items{QStringLiteral("已有")};
    DM->GetDataBySQLToItems(QStringLiteral("Select UserName from TEmployee order by Code"), items, false);
    QCOMPARE(items, QStringList({"已有", "张三", "O'Neil"}));
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
