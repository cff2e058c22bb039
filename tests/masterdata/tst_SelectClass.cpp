// The category picker: the two-level view and which nodes may be chosen.
#include "DmFixture.h"
#include "ModalDriver.h"
#include "RecordingPrompts.h"
#include "TreeShape.h"

#include "masterdata/CategoryTable.h"
#include "masterdata/uSelectClass.h"

#include <QPushButton>
#include <QtTest>

namespace {

const QString kChooseLower = QStringLiteral("请选择下级分类！");

void addRow(DmFixture &fx, const QString &table, const QString &code, const QString &name, const QString &parent,
            int level)
{
    QVERIFY(fx.exec(CategoryTable::readOnly(table).insertSql(code, name, parent, level)));
}

// 行政部 > 车队 > 一车队, 行政部 > 后勤; 销售部 without sub-departments; an orphan on level 2.
void fillDepartments(DmFixture &fx)
{
    addRow(fx, "TEmpClass", "0001", "行政部", "", 0);
    addRow(fx, "TEmpClass", "00010001", "车队", "0001", 1);
    addRow(fx, "TEmpClass", "000100010001", "一车队", "00010001", 2);
    addRow(fx, "TEmpClass", "00010002", "后勤", "0001", 1);
    addRow(fx, "TEmpClass", "0002", "销售部", "", 0);
    addRow(fx, "TEmpClass", "000200090001", "孤儿", "00020009", 2);
}

} // namespace

class TestSelectClass : public QObject {
    Q_OBJECT
private slots:
    void twoLevelView();
    void otherTables_data();
    void otherTables();
    void choose_data();
    void choose();
    void enterKey_data();
    void enterKey();
    void emptyTable();
    void pickClass();
    void pickClassFailure();
};

void TestSelectClass::twoLevelView()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillDepartments(fx);
    TfrmSelectClass form;
    QCOMPARE(form.windowTitle(), QStringLiteral("选择分类"));
    QVERIFY(form.Cancelled);
    QVERIFY(form.ReadyData());
    // Every lower department hangs under its top-level one; the orphan under the last top read.
    QCOMPARE(TreeShape(form.Tree), (QStringList{"销售部 0002", "  孤儿 000200090001", "行政部 0001",
                                                "  车队 00010001", "  后勤 00010002", "  一车队 000100010001"}));
    QCOMPARE(form.Tree->currentItem(), form.Tree->topLevelItem(0));
    QVERIFY(form.Tree->currentItem()->isSelected());
    QVERIFY(form.Tree->topLevelItem(0)->icon(0).isNull());
    QVERIFY(prompts.shown.isEmpty());
}

void TestSelectClass::otherTables_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("client categories") << "TClientClass";
    QTest::newRow("provider categories") << "TProviderClass";
}

void TestSelectClass::otherTables()
{
    QFETCH(QString, table);
    DmFixture fx;
    RecordingPrompts prompts;
    fillDepartments(fx);
    addRow(fx, table, "0001", "华东", "", 0);
    addRow(fx, table, "00010001", "上海", "0001", 1);
    TfrmSelectClass form;
    QVERIFY(table == "TClientClass" ? form.ReadyDataClient() : form.ReadyDataProv());
    QCOMPARE(TreeShape(form.Tree), (QStringList{"华东 0001", "  上海 00010001"}));
}

void TestSelectClass::choose_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("code"); // "" = refused
    QTest::newRow("top level without sub-departments") << "财务部" << false << "0003";
    QTest::newRow("top level with sub-departments") << "行政部" << false << "";
    QTest::newRow("top level with only an orphan below") << "销售部" << false << "";
    QTest::newRow("level 1 with its own sub-departments") << "车队" << false << "00010001";
    QTest::newRow("level 2 shown under the top") << "一车队" << true << "000100010001";
    QTest::newRow("double click on a parent") << "行政部" << true << "";
}

void TestSelectClass::choose()
{
    QFETCH(QString, node);
    QFETCH(bool, doubleClick);
    QFETCH(QString, code);
    DmFixture fx;
    RecordingPrompts prompts;
    fillDepartments(fx);
    addRow(fx, "TEmpClass", "0003", "财务部", "", 0);
    TfrmSelectClass form;
    QVERIFY(form.ReadyData());
    form.show();
    QTreeWidgetItem *item = ItemNamed(form.Tree, node);
    form.Tree->setCurrentItem(item);
    if (doubleClick)
        emit form.Tree->itemDoubleClicked(item, 0);
    else
        form.findChild<QPushButton *>("cmdSelect")->click();
    if (!code.isEmpty()) {
        QVERIFY(prompts.shown.isEmpty());
        QVERIFY(!form.Cancelled);
        QCOMPARE(form.RetTypeCode, code);
        QCOMPARE(form.RetTypeName, node);
        QVERIFY(!form.isVisible());
    } else {
        QCOMPARE(prompts.messages(), QStringList{kChooseLower});
        QVERIFY(form.Cancelled);
        QVERIFY(form.RetTypeCode.isEmpty());
        QVERIFY(form.isVisible());
        QCOMPARE(form.Tree->currentItem(), item);
    }
}

void TestSelectClass::enterKey_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("chosen");
    QTest::newRow("node with children") << "行政部" << false;
    QTest::newRow("node without children") << "后勤" << true;
}

void TestSelectClass::enterKey()
{
    QFETCH(QString, node);
    QFETCH(bool, chosen);
    DmFixture fx;
    RecordingPrompts prompts;
    fillDepartments(fx);
    TfrmSelectClass form;
    QVERIFY(form.ReadyData());
    form.show();
    form.Tree->setCurrentItem(ItemNamed(form.Tree, node));
    form.Tree->setFocus();
    QTest::keyClick(form.Tree, Qt::Key_Return);
    QCOMPARE(!form.Cancelled, chosen);
    QCOMPARE(form.RetTypeName, chosen ? node : QString());
    QCOMPARE(prompts.messages(), chosen ? QStringList() : QStringList{kChooseLower});
}

void TestSelectClass::emptyTable()
{
    DmFixture fx;
    RecordingPrompts prompts;
    TfrmSelectClass form;
    QVERIFY(form.ReadyData());
    form.show();
    QCOMPARE(form.Tree->topLevelItemCount(), 0);
    form.findChild<QPushButton *>("cmdSelect")->click();
    QVERIFY(form.isVisible());
    QVERIFY(form.Cancelled);
    QVERIFY(prompts.shown.isEmpty());
}

void TestSelectClass::pickClass()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillDepartments(fx);
    QString code = "keep", name = "keep";
    bool seen = false;
    WhenModalOpens(
        [](QDialog *d) {
            auto *tree = d->findChild<QTreeWidget *>("Tree");
            tree->setCurrentItem(ItemNamed(tree, "后勤"));
            d->findChild<QPushButton *>("cmdSelect")->click();
        },
        &seen);
    QVERIFY(PickClass(code, name));
    QVERIFY(seen);
    QCOMPARE(code, QStringLiteral("00010002"));
    QCOMPARE(name, QStringLiteral("后勤"));

    code = name = "keep";
    WhenModalOpens([](QDialog *d) { d->findChild<QPushButton *>("cmdClose")->click(); }, &seen);
    QVERIFY(!PickClass(code, name));
    QVERIFY(seen);
    QCOMPARE(code, QStringLiteral("keep"));
    QCOMPARE(name, QStringLiteral("keep"));
}

void TestSelectClass::pickClassFailure()
{
    DmFixture fx;
    RecordingPrompts prompts;
    QVERIFY(fx.exec("DROP TABLE TEmpClass"));
    bool seen = true;
    WhenModalOpens([](QDialog *) {}, &seen);
    QString code, name;
    QVERIFY(!PickClass(code, name));
    QCoreApplication::processEvents();
    QVERIFY(!seen);
    QCOMPARE(prompts.messages(), QStringList{"读取数据出现错误。"});
}

QTEST_MAIN(TestSelectClass)
#include "tst_SelectClass.moc"
