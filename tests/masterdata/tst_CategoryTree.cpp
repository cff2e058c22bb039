// The maintenance of a category tree, on both maintained tables: codes, prompts, level limits,
// rename, delete, name cut, and the view kept in step with the table when a statement fails.
#include "DmFixture.h"
#include "RecordingPrompts.h"
#include "TreeShape.h"

#include "masterdata/CategoryItem.h"
#include "masterdata/CategoryTree.h"
#include "shell/Look.h"

#include <QtTest>

namespace {

const QString kReadError = QStringLiteral("读取数据出现错误。");

const CategoryTable &tableFor(bool departments)
{
    return departments ? CategoryTable::departments() : CategoryTable::expenseCategories();
}

struct TreeFixture {
    explicit TreeFixture(bool departments) : table(tableFor(departments)), tree(), categories(&tree, table)
    {
        SetupCategoryView(&tree);
    }
    bool add(const QString &code, const QString &name, const QString &parent, int level)
    {
        return fx.exec(table.insertSql(code, name, parent, level));
    }
    QString stored(const QString &code)
    {
        return fx.value(QStringLiteral("select TypeName from ") + table.table + QStringLiteral(" where TypeCode='")
                        + code + u'\'');
    }
    int count() { return fx.value(QStringLiteral("select count(*) from ") + table.table).toInt(); }
    void select(const QString &name)
    {
        QTreeWidgetItem *item = ItemNamed(&tree, name);
        QVERIFY2(item, qPrintable(name));
        tree.setCurrentItem(item);
    }

    DmFixture fx;
    RecordingPrompts prompts;
    const CategoryTable &table;
    QTreeWidget tree;
    CategoryTree categories;
};

} // namespace

class TestCategoryTree : public QObject {
    Q_OBJECT
private slots:
    void bothTables_data();
    void loadFullDepthSortsByName_data() { bothTables_data(); }
    void loadFullDepthSortsByName();
    void loadFailure();
    void addRootDrawsCodesAndAppends_data() { bothTables_data(); }
    void addRootDrawsCodesAndAppends();
    void addRootCancelledOrEmpty_data() { bothTables_data(); }
    void addRootCancelledOrEmpty();
    void addSon_data() { bothTables_data(); }
    void addSon();
    void addNeedsSelection_data() { bothTables_data(); }
    void addNeedsSelection();
    void levelLimits_data();
    void levelLimits();
    void gapAndRedraw_data() { bothTables_data(); }
    void gapAndRedraw();
    void longNameCut_data() { bothTables_data(); }
    void longNameCut();
    void failedInsertLeavesNoNode_data() { bothTables_data(); }
    void failedInsertLeavesNoNode();
    void fullSiblingsRefused_data() { bothTables_data(); }
    void fullSiblingsRefused();
    void highestCodeNotANumber_data() { bothTables_data(); }
    void highestCodeNotANumber();
    void renameReachesBillsForDepartmentsOnly_data() { bothTables_data(); }
    void renameReachesBillsForDepartmentsOnly();
    void renameCancelledWritesOldName();
    void renameResortsSiblings();
    void renameFailureKeepsBothSides();
    void deleteRefusedWithChildren_data() { bothTables_data(); }
    void deleteRefusedWithChildren();
    void deleteAskedAndDone();
    void deleteFailure();
    void deleteKeepsEmployeesAndRecords();
    void findNode();
    void iconsByLevel();
};

void TestCategoryTree::bothTables_data()
{
    QTest::addColumn<bool>("departments");
    QTest::newRow("departments") << true;
    QTest::newRow("expense categories") << false;
}

void TestCategoryTree::loadFullDepthSortsByName()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    // Code order differs from name order (招 Z, 办 B, 差 C).
    QVERIFY(t.add("0001", "招待费", "", 0));
    QVERIFY(t.add("00010001", "招待二", "0001", 1));
    QVERIFY(t.add("00010002", "餐费", "0001", 1));
    QVERIFY(t.add("0002", "办公费", "0001", 0)); // level 0 with a parent code: top level
    QVERIFY(t.add("0003", "差旅费", "", 0));
    QVERIFY(t.add("000300090001", "孤儿", "00030009", 2)); // no such parent: left out
    QVERIFY(t.add("000300010001", "机票", "00030001", 2)); // parent missing too
    QVERIFY(t.add("00030002", "火车", "0003", 1));
    QVERIFY(t.add("000300020001", "卧铺", "00030002", 2));

    QVERIFY(t.categories.loadFullDepth());
    QCOMPARE(TreeShape(&t.tree), (QStringList{"办公费 0002", "差旅费 0003", "  火车 00030002", "    卧铺 000300020001",
                                              "招待费 0001", "  餐费 00010002", "  招待二 00010001"}));
    QVERIFY(t.prompts.shown.isEmpty());
    QVERIFY(!t.tree.currentItem() || !t.tree.currentItem()->isSelected());
    const GoodsClass *data = PayloadOf(ItemNamed(&t.tree, "办公费"));
    QVERIFY(data);
    QCOMPARE(data->ParTypeCode, QStringLiteral("0001"));
    QCOMPARE(data->nLeveal, 0);
    QCOMPARE(PayloadOf(ItemNamed(&t.tree, "卧铺"))->ParTypeCode, QStringLiteral("00030002"));

    // An empty table gives an empty view.
    TreeFixture empty(departments);
    QVERIFY(empty.categories.loadFullDepth());
    QCOMPARE(empty.tree.topLevelItemCount(), 0);
}

void TestCategoryTree::loadFailure()
{
    DmFixture fx;
    RecordingPrompts prompts;
    QTreeWidget tree;
    CategoryTree categories(&tree, CategoryTable::readOnly(QStringLiteral("TNoSuchTable")));
    QVERIFY(!categories.loadFullDepth());
    QVERIFY(!categories.loadTwoLevel());
    QCOMPARE(prompts.messages(), (QStringList{kReadError, kReadError}));
}

void TestCategoryTree::addRootDrawsCodesAndAppends()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.categories.loadFullDepth());
    t.prompts.inputAnswers << "招待费" << "办公费";
    t.categories.addRoot();
    t.categories.addRoot();

    const QString prompt = t.table.addRootPrompt;
    QCOMPARE(prompt, departments ? QStringLiteral("输入部门主分类名称") : QStringLiteral("输入费用主分类名称"));
    QCOMPARE(t.prompts.shown.size(), 2);
    QCOMPARE(t.prompts.shown.at(0).kind, QStringLiteral("input"));
    QCOMPARE(t.prompts.shown.at(0).title, prompt);
    QCOMPARE(t.prompts.shown.at(0).text, prompt);
    QCOMPARE(t.prompts.shown.at(0).initial, QString());

    // Appended in the order added, not sorted in.
    QCOMPARE(TreeShape(&t.tree), (QStringList{"招待费 0001", "办公费 0002"}));
    QCOMPARE(t.stored("0001"), QStringLiteral("招待费"));
    QCOMPARE(t.stored("0002"), QStringLiteral("办公费"));
    QCOMPARE(t.fx.value("select ParTypeCode || '|' || nLeveal from " + t.table.table + " where TypeCode='0002'"),
             QStringLiteral("|0"));
    const GoodsClass *data = PayloadOf(t.tree.topLevelItem(1));
    QCOMPARE(data->TypeCode, QStringLiteral("0002"));
    QCOMPARE(data->ParTypeCode, QString());
    QCOMPARE(data->nLeveal, 0);
}

void TestCategoryTree::addRootCancelledOrEmpty()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.categories.loadFullDepth());
    t.categories.addRoot();          // cancelled: the box gives back its empty start text
    t.prompts.inputAnswers << "";    // confirmed empty
    t.categories.addRoot();
    QCOMPARE(t.tree.topLevelItemCount(), 0);
    QCOMPARE(t.count(), 0);
    QVERIFY(t.prompts.messages().isEmpty());
}

void TestCategoryTree::addSon()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.add("00010001", "车队", "0001", 1));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.prompts.inputAnswers << "保安" << "一车队";
    t.categories.addSon();

    const QString prompt = departments ? QStringLiteral("输入下级部门分类名称") : QStringLiteral("输入费用二级分类名称");
    QCOMPARE(t.prompts.texts("input"), QStringList{prompt});
    QCOMPARE(t.prompts.shown.at(0).title, prompt);
    // Appended after 车队 although 保安 sorts first; the parent is expanded and stays selected.
    QCOMPARE(TreeShape(&t.tree), (QStringList{"行政部 0001", "  车队 00010001", "  保安 00010002"}));
    QVERIFY(ItemNamed(&t.tree, "行政部")->isExpanded());
    QCOMPARE(t.tree.currentItem()->text(0), QStringLiteral("行政部"));
    QCOMPARE(t.fx.value("select TypeName || '|' || ParTypeCode || '|' || nLeveal from " + t.table.table
                        + " where TypeCode='00010002'"),
             QStringLiteral("保安|0001|1"));
    const GoodsClass *data = PayloadOf(ItemNamed(&t.tree, "保安"));
    QCOMPARE(data->ParTypeCode, QStringLiteral("0001"));
    QCOMPARE(data->nLeveal, 1);

    // One level further down, the first child of a node without children.
    t.select("车队");
    t.categories.addSon();
    QCOMPARE(t.fx.value("select ParTypeCode || '|' || nLeveal from " + t.table.table
                        + " where TypeCode='000100010001'"),
             QStringLiteral("00010001|2"));
    QCOMPARE(ItemNamed(&t.tree, "一车队")->parent()->text(0), QStringLiteral("车队"));
    QVERIFY(t.prompts.messages().isEmpty());
}

void TestCategoryTree::addNeedsSelection()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.categories.loadFullDepth());
    t.prompts.inputAnswers << "x";
    t.categories.addSon();
    t.categories.rename();
    t.categories.remove();
    QVERIFY(t.prompts.shown.isEmpty());
    QCOMPARE(t.count(), 1);
    QCOMPARE(t.stored("0001"), QStringLiteral("行政部"));
}

void TestCategoryTree::levelLimits_data()
{
    QTest::addColumn<bool>("departments");
    QTest::addColumn<QString>("target");  // node that receives the child
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("message");

    const QString five = QStringLiteral("最多支持5级分类！");
    const QString four = QStringLiteral("最多支持四级分类！");
    QTest::newRow("department on level 3 gets a child") << true << "L3" << false << "";
    QTest::newRow("department on level 4 refused") << true << "L4" << true << five;
    QTest::newRow("department stored level 1 shown at level 4 refused") << true << "wrongly1" << true << five;
    QTest::newRow("department stored level 4 shown at level 1 accepted") << true << "wrongly4" << false << "";
    QTest::newRow("category on level 2 gets a child") << false << "L2" << false << "";
    QTest::newRow("category on level 3 refused") << false << "L3" << true << four;
    QTest::newRow("category stored level 1 shown at level 3 refused") << false << "wrongly1" << true << four;
}

void TestCategoryTree::levelLimits()
{
    QFETCH(bool, departments);
    QFETCH(QString, target);
    QFETCH(bool, refused);
    QFETCH(QString, message);

    TreeFixture t(departments);
    // A chain L0..L4, plus rows whose stored level disagrees with where the view puts them.
    QString code = "0001";
    QString parent;
    for (int level = 0; level <= 4; ++level) {
        QVERIFY(t.add(code, QStringLiteral("L%1").arg(level), parent, level));
        parent = code;
        code += "0001";
    }
    const QString deepParent = departments ? QStringLiteral("0001000100010001") : QStringLiteral("000100010001");
    QVERIFY(t.add(deepParent + "0009", "wrongly1", deepParent, 1));
    QVERIFY(t.add("00010009", "wrongly4", "0001", 4));
    QVERIFY(t.categories.loadFullDepth());
    t.select(target);
    QTreeWidgetItem *item = t.tree.currentItem();
    const int before = t.count();
    const int viewLevel = ViewLevel(item);

    t.prompts.inputAnswers << "新";
    t.categories.addSon();
    if (refused) {
        QCOMPARE(t.prompts.messages(), QStringList{message});
        QVERIFY(t.prompts.texts("input").isEmpty()); // refused before the name is asked
        QCOMPARE(t.count(), before);
        QVERIFY(!ItemNamed(&t.tree, "新"));
    } else {
        QVERIFY(t.prompts.messages().isEmpty());
        QCOMPARE(t.count(), before + 1);
        QTreeWidgetItem *added = ItemNamed(&t.tree, "新");
        QVERIFY(added);
        QCOMPARE(added->parent(), item);
        // The stored level follows the view.
        QCOMPARE(t.fx.value("select nLeveal from " + t.table.table + " where TypeName='新'").toInt(), viewLevel + 1);
    }
}

void TestCategoryTree::gapAndRedraw()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "甲", "", 0));
    QVERIFY(t.add("0003", "丙", "", 0));
    QVERIFY(t.categories.loadFullDepth());
    t.prompts.inputAnswers << "丁";
    t.categories.addRoot();
    QCOMPARE(t.stored("0004"), QStringLiteral("丁"));
    QCOMPARE(t.categories.GetMaxNum(QString()), QStringLiteral("0005"));

    t.select("丁");
    t.categories.remove();
    QCOMPARE(t.stored("0004"), QString());
    QVERIFY(!ItemNamed(&t.tree, "丁"));
    t.prompts.inputAnswers << "戊";
    t.categories.addRoot();
    QCOMPARE(t.stored("0004"), QStringLiteral("戊"));
    QCOMPARE(PayloadOf(ItemNamed(&t.tree, "戊"))->TypeCode, QStringLiteral("0004"));
    // The gap at 0002 stays.
    QCOMPARE(t.stored("0002"), QString());
}

void TestCategoryTree::longNameCut()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.categories.loadFullDepth());
    const QString twenty = QStringLiteral("一二三四五六七八九十甲乙丙丁戊己庚辛壬癸");
    const QString fifteen = twenty.left(15);
    t.prompts.inputAnswers << twenty << QStringLiteral("ab") + twenty;
    t.categories.addRoot();
    QCOMPARE(t.stored("0001"), fifteen);
    QCOMPARE(t.tree.topLevelItem(0)->text(0), fifteen);

    // A character is never cut in half: 2 + 14*2 bytes, the 15th character would need 31.
    t.select(fifteen);
    t.categories.rename();
    QCOMPARE(t.stored("0001"), QStringLiteral("ab") + twenty.left(14));
    QCOMPARE(t.tree.topLevelItem(0)->text(0), QStringLiteral("ab") + twenty.left(14));

    t.prompts.inputAnswers << twenty;
    t.categories.addSon();
    QCOMPARE(t.stored("00010001"), fifteen);
}

void TestCategoryTree::failedInsertLeavesNoNode()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.categories.loadFullDepth());
    QVERIFY(t.fx.exec("CREATE TRIGGER trRefuse BEFORE INSERT ON " + t.table.table
                      + " BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    t.prompts.inputAnswers << "新根" << "新下级";
    t.categories.addRoot();
    t.select("行政部");
    t.categories.addSon();
    QCOMPARE(t.prompts.messages(), (QStringList{kReadError, kReadError}));
    QCOMPARE(TreeShape(&t.tree), QStringList{"行政部 0001"});

    // Once the table takes rows again, codes are drawn from what it really holds.
    QVERIFY(t.fx.exec("DROP TRIGGER trRefuse"));
    t.prompts.inputAnswers << "新下级";
    t.categories.addSon();
    QCOMPARE(t.stored("00010001"), QStringLiteral("新下级"));
}

void TestCategoryTree::fullSiblingsRefused()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.add("00019999", "末位", "0001", 1));
    QVERIFY(t.add("9999", "最后", "", 0));
    QVERIFY(t.categories.loadFullDepth());
    const int before = t.count();

    t.select("行政部");
    t.prompts.inputAnswers << "再一个" << "再一个根";
    t.categories.addSon();
    t.categories.addRoot();
    QCOMPARE(t.prompts.messages().size(), 2);
    QVERIFY(t.prompts.messages().at(0).contains("9999"));
    QCOMPARE(t.prompts.messages().at(1), t.prompts.messages().at(0));
    QCOMPARE(t.count(), before);
    QVERIFY(!ItemNamed(&t.tree, "再一个"));
    QVERIFY(!ItemNamed(&t.tree, "再一个根"));
}

void TestCategoryTree::highestCodeNotANumber()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.add("00010001", "车队", "0001", 1));
    QVERIFY(t.add("0001X001", "坏码", "0001", 1));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.prompts.inputAnswers << "新";
    t.categories.addSon();
    QCOMPARE(t.prompts.messages(), QStringList{kReadError});
    QCOMPARE(t.count(), 3);
    QVERIFY(!ItemNamed(&t.tree, "新"));
    QCOMPARE(t.categories.GetMaxNum("0001"), QString());
}

void TestCategoryTree::renameReachesBillsForDepartmentsOnly()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.add("0002", "销售部", "", 0));
    QVERIFY(t.fx.exec("insert into TBillDetail (DepartCode, DepartName, CustCode, CustName) "
                      "values ('0001','行政部','0001','行政部'), ('0002','销售部','0002','销售部')"));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.prompts.inputAnswers << "综合'部";
    t.categories.rename();

    const QString prompt = departments ? QStringLiteral("输入新的部门分类名称") : QStringLiteral("输入新的费用分类名称");
    QCOMPARE(t.prompts.shown.size(), 1);
    QCOMPARE(t.prompts.shown.at(0).title, prompt);
    QCOMPARE(t.prompts.shown.at(0).text, prompt);
    QCOMPARE(t.prompts.shown.at(0).initial, QStringLiteral("行政部"));
    QCOMPARE(t.stored("0001"), QStringLiteral("综合'部"));
    QCOMPARE(ItemNamed(&t.tree, "综合'部"), t.tree.currentItem());
    QCOMPARE(PayloadOf(t.tree.currentItem())->TypeName, QStringLiteral("综合'部"));
    QCOMPARE(t.fx.value("select DepartName from TBillDetail where DepartCode='0001'"),
             departments ? QStringLiteral("综合'部") : QStringLiteral("行政部"));
    QCOMPARE(t.fx.value("select DepartName from TBillDetail where DepartCode='0002'"), QStringLiteral("销售部"));
    QCOMPARE(t.fx.value("select CustName from TBillDetail where CustCode='0001'"), QStringLiteral("行政部"));
}

void TestCategoryTree::renameCancelledWritesOldName()
{
    TreeFixture t(true);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.fx.exec("insert into TBillDetail (DepartCode, DepartName) values ('0001','旧名')"));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.categories.rename(); // cancelled: the box returns the current name, which is written back
    QCOMPARE(t.stored("0001"), QStringLiteral("行政部"));
    QCOMPARE(t.fx.value("select DepartName from TBillDetail"), QStringLiteral("行政部"));
    QVERIFY(t.prompts.messages().isEmpty());

    t.prompts.inputAnswers << "";
    t.categories.rename(); // emptied: nothing happens
    QCOMPARE(t.stored("0001"), QStringLiteral("行政部"));
    QCOMPARE(t.tree.topLevelItem(0)->text(0), QStringLiteral("行政部"));
}

void TestCategoryTree::renameResortsSiblings()
{
    TreeFixture t(false);
    QVERIFY(t.add("0001", "办公费", "", 0));
    QVERIFY(t.add("00010001", "纸张", "0001", 1));
    QVERIFY(t.add("00010002", "笔", "0001", 1));
    QVERIFY(t.add("0002", "差旅费", "", 0));
    QVERIFY(t.categories.loadFullDepth());
    QCOMPARE(TreeShape(&t.tree), (QStringList{"办公费 0001", "  笔 00010002", "  纸张 00010001", "差旅费 0002"}));
    t.select("纸张");
    t.prompts.inputAnswers << "白板"; // B-a before B-i
    t.categories.rename();
    QCOMPARE(TreeShape(&t.tree), (QStringList{"办公费 0001", "  白板 00010001", "  笔 00010002", "差旅费 0002"}));
    // A top-level rename sorts the top level only; children keep their order.
    t.prompts.inputAnswers << "住宿费";
    t.select("办公费");
    t.categories.rename();
    QCOMPARE(TreeShape(&t.tree), (QStringList{"差旅费 0002", "住宿费 0001", "  白板 00010001", "  笔 00010002"}));
    QCOMPARE(t.tree.currentItem()->text(0), QStringLiteral("住宿费"));
}

void TestCategoryTree::renameFailureKeepsBothSides()
{
    TreeFixture t(true);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.fx.exec("insert into TBillDetail (DepartCode, DepartName) values ('0001','行政部')"));
    // The second statement (the expense records) fails after the first succeeded.
    QVERIFY(t.fx.exec("CREATE TRIGGER trRefuse BEFORE UPDATE ON TBillDetail BEGIN SELECT RAISE(ABORT, 'no'); END"));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.prompts.inputAnswers << "综合部";
    t.categories.rename();
    QCOMPARE(t.prompts.messages(), QStringList{kReadError});
    QCOMPARE(t.tree.topLevelItem(0)->text(0), QStringLiteral("行政部"));
    QCOMPARE(t.stored("0001"), QStringLiteral("行政部"));
    QCOMPARE(t.fx.value("select DepartName from TBillDetail"), QStringLiteral("行政部"));
    QVERIFY(!t.fx.connection()->inTransaction());
}

void TestCategoryTree::deleteRefusedWithChildren()
{
    QFETCH(bool, departments);
    TreeFixture t(departments);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.add("00010001", "车队", "0001", 1));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.categories.remove();
    QCOMPARE(t.prompts.messages(), QStringList{QStringLiteral("指定分类下有子分类，不能直接删除！请先删除子分类！")});
    QVERIFY(t.prompts.texts("confirm").isEmpty());
    QCOMPARE(t.count(), 2);
    QCOMPARE(t.tree.topLevelItemCount(), 1);
}

void TestCategoryTree::deleteAskedAndDone()
{
    TreeFixture t(false);
    QVERIFY(t.add("0001", "办公费", "", 0));
    QVERIFY(t.add("00010001", "纸张", "0001", 1));
    QVERIFY(t.categories.loadFullDepth());
    t.select("纸张");
    t.prompts.confirmAnswers << false;
    t.categories.remove();
    QCOMPARE(t.prompts.texts("confirm"), QStringList{QStringLiteral("您确认删除吗？")});
    QCOMPARE(t.count(), 2);
    QVERIFY(ItemNamed(&t.tree, "纸张"));

    t.categories.remove(); // Yes
    QCOMPARE(t.count(), 1);
    QCOMPARE(TreeShape(&t.tree), QStringList{"办公费 0001"});
    // The parent has no children left and can go as well.
    t.select("办公费");
    t.categories.remove();
    QCOMPARE(t.count(), 0);
    QCOMPARE(t.tree.topLevelItemCount(), 0);
    QVERIFY(t.prompts.messages().isEmpty());
}

void TestCategoryTree::deleteFailure()
{
    TreeFixture t(true);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.fx.exec("CREATE TRIGGER trRefuse BEFORE DELETE ON TEmpClass BEGIN SELECT RAISE(ABORT, 'no'); END"));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.categories.remove();
    QCOMPARE(t.prompts.messages(), QStringList{kReadError});
    QCOMPARE(t.count(), 1);
    QCOMPARE(t.tree.topLevelItemCount(), 1);
}

void TestCategoryTree::deleteKeepsEmployeesAndRecords()
{
    TreeFixture t(true);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.fx.exec("insert into TEmployee (Code, UserName, TypeCode) values ('00010001','张三','0001')"));
    QVERIFY(t.fx.exec("insert into TBillDetail (DepartCode, DepartName, EmpID) values ('0001','行政部','00010001')"));
    QVERIFY(t.categories.loadFullDepth());
    t.select("行政部");
    t.categories.remove();
    QCOMPARE(t.count(), 0);
    QCOMPARE(t.fx.value("select TypeCode from TEmployee"), QStringLiteral("0001"));
    QCOMPARE(t.fx.value("select DepartCode from TBillDetail"), QStringLiteral("0001"));
}

void TestCategoryTree::findNode()
{
    TreeFixture t(true);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.add("00010001", "车队", "0001", 1));
    QVERIFY(t.add("0002", "销售部", "", 0));
    QVERIFY(t.categories.loadFullDepth());
    QCOMPARE(t.categories.FindNode("00010001"), ItemNamed(&t.tree, "车队"));
    QCOMPARE(t.categories.FindNode("0002"), ItemNamed(&t.tree, "销售部"));
    QVERIFY(!t.categories.FindNode("0001000"));  // whole codes only
    QVERIFY(!t.categories.FindNode("000100010")); // no prefix match the other way
    QVERIFY(!t.categories.FindNode(""));
}

void TestCategoryTree::iconsByLevel()
{
    TreeFixture t(true);
    QVERIFY(t.add("0001", "行政部", "", 0));
    QVERIFY(t.add("00010001", "车队", "0001", 1));
    QVERIFY(t.categories.loadFullDepth());
    const QImage top = MakeIcon(LookIcon::TreeTop).pixmap(16).toImage();
    const QImage sub = MakeIcon(LookIcon::TreeSub).pixmap(16).toImage();
    QVERIFY(top != sub);
    QCOMPARE(ItemNamed(&t.tree, "行政部")->icon(0).pixmap(16).toImage(), top);
    QCOMPARE(ItemNamed(&t.tree, "车队")->icon(0).pixmap(16).toImage(), sub);
    // A selected node keeps its picture.
    QCOMPARE(ItemNamed(&t.tree, "车队")->icon(0).pixmap(16, QIcon::Selected).toImage(), sub);
    t.prompts.inputAnswers << "新根" << "新下级";
    t.categories.addRoot();
    t.select("新根");
    t.categories.addSon();
    QCOMPARE(ItemNamed(&t.tree, "新根")->icon(0).pixmap(16).toImage(), top);
    QCOMPARE(ItemNamed(&t.tree, "新下级")->icon(0).pixmap(16).toImage(), sub);
}

QTEST_MAIN(TestCategoryTree)
#include "tst_CategoryTree.moc"
