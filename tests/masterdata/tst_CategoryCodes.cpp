// Drawing a new category code and the two ways a category table becomes a tree, without a window.
#include "DmFixture.h"

#include "masterdata/CategoryCodes.h"
#include "masterdata/CategoryLayout.h"
#include "masterdata/CategoryTable.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"

#include <QtTest>

Q_DECLARE_METATYPE(DrawnCode::Status)

class TestCategoryCodes : public QObject {
    Q_OBJECT
private slots:
    void nextChildCode_data();
    void nextChildCode();
    void drawFromTable_data();
    void drawFromTable();
    void drawReportsFailingQuery();
    void messages();
    void statements();
    void fullDepthPlan();
    void twoLevelPlan();
    void readRowsInCodeOrder();
};

void TestCategoryCodes::nextChildCode_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("highest");
    QTest::addColumn<DrawnCode::Status>("status");
    QTest::addColumn<QString>("code");

    QTest::newRow("first top-level") << "" << "" << DrawnCode::Ok << "0001";
    QTest::newRow("first child") << "0001" << "" << DrawnCode::Ok << "00010001";
    QTest::newRow("next top-level") << "" << "0003" << DrawnCode::Ok << "0004";
    QTest::newRow("next child") << "0001" << "00010003" << DrawnCode::Ok << "00010004";
    QTest::newRow("carry into tens") << "0002" << "00020009" << DrawnCode::Ok << "00020010";
    QTest::newRow("deep child") << "000100020003" << "0001000200030041" << DrawnCode::Ok
                                << "0001000200030042";
    QTest::newRow("last free number") << "0001" << "00019998" << DrawnCode::Ok << "00019999";
    QTest::newRow("top-level full") << "" << "9999" << DrawnCode::Full << "";
    QTest::newRow("children full") << "0001" << "00019999" << DrawnCode::Full << "";
    QTest::newRow("already past the limit") << "0001" << "000110000" << DrawnCode::Full << "";
    QTest::newRow("letters in the number") << "0001" << "0001A001" << DrawnCode::NotANumber << "";
    QTest::newRow("top-level not a number") << "" << "00x1" << DrawnCode::NotANumber << "";
    QTest::newRow("sign is not a number") << "0001" << "0001-001" << DrawnCode::NotANumber << "";
    QTest::newRow("spaces are not a number") << "" << " 12 " << DrawnCode::NotANumber << "";
    QTest::newRow("code equal to parent") << "00010002" << "00010002" << DrawnCode::NotANumber << "";
}

void TestCategoryCodes::nextChildCode()
{
    QFETCH(QString, parent);
    QFETCH(QString, highest);
    QFETCH(DrawnCode::Status, status);
    QFETCH(QString, code);
    const DrawnCode drawn = NextChildCode(parent, highest);
    QCOMPARE(drawn.status, status);
    QCOMPARE(drawn.code, code);
}

void TestCategoryCodes::drawFromTable_data()
{
    QTest::addColumn<QStringList>("rows"); // "code|parent|level"
    QTest::addColumn<QString>("parent");
    QTest::addColumn<DrawnCode::Status>("status");
    QTest::addColumn<QString>("code");

    QTest::newRow("empty table") << QStringList() << "" << DrawnCode::Ok << "0001";
    QTest::newRow("gap after a delete is not filled")
        << QStringList{"0001||0", "0003||0"} << "" << DrawnCode::Ok << "0004";
    QTest::newRow("children of one parent only")
        << QStringList{"0001||0", "0002||0", "00010001|0001|1", "00010003|0001|1", "00020007|0002|1"}
        << "0001" << DrawnCode::Ok << "00010004";
    QTest::newRow("first child under a parent")
        << QStringList{"0001||0", "00010001|0001|1"} << "00010001" << DrawnCode::Ok << "000100010001";
    QTest::newRow("9999 children") << QStringList{"0001||0", "00019999|0001|1"} << "0001" << DrawnCode::Full
                                   << "";
    QTest::newRow("highest code not a number")
        << QStringList{"0001||0", "00010001|0001|1", "0001zz01|0001|1"} << "0001" << DrawnCode::NotANumber
        << "";
}

void TestCategoryCodes::drawFromTable()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, parent);
    QFETCH(DrawnCode::Status, status);
    QFETCH(QString, code);

    DmFixture fx;
    for (const CategoryTable *t : {&CategoryTable::departments(), &CategoryTable::expenseCategories()}) {
        for (const QString &row : rows) {
            const QStringList f = row.split(u'|');
            QVERIFY(fx.exec(t->insertSql(f[0], QStringLiteral("x"), f[1], f[2].toInt())));
        }
        db::DataSet query(fx.connection());
        const DrawnCode drawn = DrawChildCode(query, *t, parent);
        QCOMPARE(drawn.status, status);
        QCOMPARE(drawn.code, code);
    }
}

void TestCategoryCodes::drawReportsFailingQuery()
{
    DmFixture fx;
    db::DataSet query(fx.connection());
    const DrawnCode drawn = DrawChildCode(query, CategoryTable::readOnly(QStringLiteral("TNoSuchTable")), QString());
    QCOMPARE(drawn.status, DrawnCode::QueryFailed);
    QVERIFY(drawn.code.isEmpty());
    QVERIFY(!query.active());
}

void TestCategoryCodes::messages()
{
    QCOMPARE(DrawnCodeMessage(DrawnCode::QueryFailed), QStringLiteral("读取数据出现错误。"));
    QCOMPARE(DrawnCodeMessage(DrawnCode::NotANumber), QStringLiteral("读取数据出现错误。"));
    QVERIFY(DrawnCodeMessage(DrawnCode::Full).contains(QStringLiteral("9999")));
}

void TestCategoryCodes::statements()
{
    const CategoryTable &dep = CategoryTable::departments();
    const CategoryTable &cust = CategoryTable::expenseCategories();
    QCOMPARE(dep.loadSql(), QStringLiteral("Select * from TEmpClass order by TypeCode"));
    QCOMPARE(cust.maxCodeSql(QString()), QStringLiteral("Select Max(TypeCode) from TCustClass Where ParTypeCode=''"));
    QCOMPARE(dep.insertSql(QStringLiteral("0003"), QStringLiteral("Sales"), QString(), 0),
             QStringLiteral("Insert into TEmpClass (TypeCode,TypeName,ParTypeCode,nLeveal) Values('0003','Sales','',0)"));
    QCOMPARE(cust.insertSql(QStringLiteral("00010002"), QStringLiteral("O'Neil"), QStringLiteral("0001"), 1),
             QStringLiteral("Insert into TCustClass (TypeCode,TypeName,ParTypeCode,nLeveal) "
                            "Values('00010002','O''Neil','0001',1)"));
    QCOMPARE(dep.renameSql(QStringLiteral("0001"), QStringLiteral("行政部")),
             QStringLiteral("Update TEmpClass Set TypeName='行政部' Where TypeCode='0001'"));
    QCOMPARE(dep.renameBillsSql(QStringLiteral("0001"), QStringLiteral("行政部")),
             QStringLiteral("Update TBillDetail Set DepartName='行政部' where DepartCode='0001'"));
    QVERIFY(cust.renameBillsSql(QStringLiteral("0001"), QStringLiteral("x")).isEmpty());
    QCOMPARE(cust.deleteSql(QStringLiteral("0004")), QStringLiteral("Delete from TCustClass Where TypeCode='0004'"));
}

namespace {

GoodsClass row(const QString &code, const QString &parent, const QString &name, int level)
{
    return GoodsClass{0, code, parent, name, level};
}

// "name" for a top-level entry, "parent name>name" below one, in plan order.
QStringList describe(const QVector<CategoryNodePlan> &plan)
{
    QStringList out;
    for (const CategoryNodePlan &n : plan)
        out << (n.parent < 0 ? n.data.TypeName : plan.at(n.parent).data.TypeName + u'>' + n.data.TypeName);
    return out;
}

// Rows in code order: a three-level tree, an orphan on level 2 and a level-0 row that names a parent.
QVector<GoodsClass> sampleRows()
{
    return {
        row("0001", "", "行政部", 0),
        row("00010001", "0001", "车队", 1),
        row("000100010001", "00010001", "一车队", 2),
        row("00010002", "0001", "后勤", 1),
        row("0002", "0001", "销售部", 0),       // level 0 with a parent code: still top level
        row("000200090001", "00020009", "孤儿", 2), // its parent does not exist
        row("00020001", "0002", "华东", 1),
    };
}

} // namespace

void TestCategoryCodes::fullDepthPlan()
{
    const QVector<CategoryNodePlan> plan = PlanFullDepth(sampleRows());
    QCOMPARE(describe(plan), (QStringList{"行政部", "行政部>车队", "车队>一车队", "行政部>后勤", "销售部", "销售部>华东"}));
    // The payload is the row as read.
    QCOMPARE(plan.at(4).data.ParTypeCode, QStringLiteral("0001"));
    QCOMPARE(plan.at(2).data.nLeveal, 2);

    QVERIFY(PlanFullDepth({}).isEmpty());
    // Rows below a missing top level vanish with it.
    QVERIFY(PlanFullDepth({row("00010001", "0001", "a", 1), row("000100010001", "00010001", "b", 2)}).isEmpty());
}

void TestCategoryCodes::twoLevelPlan()
{
    const QVector<CategoryNodePlan> plan = PlanTwoLevel(sampleRows());
    QCOMPARE(describe(plan),
             (QStringList{"行政部", "行政部>车队", "行政部>一车队", "行政部>后勤", "销售部", "销售部>孤儿", "销售部>华东"}));

    // Rows before the first top-level row stay at the top level.
    const QVector<CategoryNodePlan> early = PlanTwoLevel({row("00000001", "0000", "early", 1), row("0001", "", "top", 0),
                                                          row("00010001", "0001", "child", 1)});
    QCOMPARE(describe(early), (QStringList{"early", "top", "top>child"}));
}

void TestCategoryCodes::readRowsInCodeOrder()
{
    DmFixture fx;
    QVERIFY(fx.exec("Insert into TClientClass (TypeCode,TypeName,ParTypeCode,nLeveal) Values('00010001','b','0001',1)"));
    QVERIFY(fx.exec("Insert into TClientClass (TypeCode,TypeName,ParTypeCode,nLeveal) Values('0002','c','',0)"));
    QVERIFY(fx.exec("Insert into TClientClass (TypeCode,TypeName,ParTypeCode,nLeveal) Values('0001','a','',0)"));
    db::DataSet query(fx.connection());
    const QVector<GoodsClass> rows = ReadCategoryRows(query, CategoryTable::readOnly(QStringLiteral("TClientClass")));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).TypeCode, QStringLiteral("0001"));
    QCOMPARE(rows.at(1).TypeCode, QStringLiteral("00010001"));
    QCOMPARE(rows.at(1).ParTypeCode, QStringLiteral("0001"));
    QCOMPARE(rows.at(1).TypeName, QStringLiteral("b"));
    QCOMPARE(rows.at(1).nLeveal, 1);
    QCOMPARE(rows.at(2).TypeCode, QStringLiteral("0002"));

    QVERIFY_THROWS_EXCEPTION(db::DbError,
                             ReadCategoryRows(query, CategoryTable::readOnly(QStringLiteral("TNoSuchTable"))));
}

QTEST_GUILESS_MAIN(TestCategoryCodes)
#include "tst_CategoryCodes.moc"
