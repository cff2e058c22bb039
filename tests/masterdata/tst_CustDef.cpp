// The expense categories window: both modes, its buttons and the picker's result.
#include "DmFixture.h"
#include "ModalDriver.h"
#include "RecordingPrompts.h"
#include "TreeShape.h"

#include "masterdata/CategoryTable.h"
#include "masterdata/uCustDef.h"

#include <QGroupBox>
#include <QToolButton>
#include <QtTest>

namespace {

void addCategory(DmFixture &fx, const QString &code, const QString &name, const QString &parent, int level)
{
    QVERIFY(fx.exec(CategoryTable::expenseCategories().insertSql(code, name, parent, level)));
}

void fillSample(DmFixture &fx)
{
    addCategory(fx, "0001", "办公费", "", 0);
    addCategory(fx, "00010001", "纸张", "0001", 1);
    addCategory(fx, "0002", "差旅费", "", 0);
}

bool shown(QWidget *form, const char *name)
{
    auto *w = form->findChild<QWidget *>(QString::fromLatin1(name));
    return w && w->isVisibleTo(form);
}

} // namespace

class TestCustDef : public QObject {
    Q_OBJECT
private slots:
    void modes_data();
    void modes();
    void maintenanceThroughButtons();
    void doubleClickInMaintenanceRenames();
    void pickerChoices_data();
    void pickerChoices();
    void pickCustType();
    void pickCustTypeWithoutChoice();
    void loadFailureShowsNothing();
};

void TestCustDef::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("maintenance") << 0;
    QTest::newRow("picker") << 1;
}

void TestCustDef::modes()
{
    QFETCH(int, mode);
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmCustDef form;
    QCOMPARE(form.windowTitle(), QStringLiteral("费用类别定义"));
    QCOMPARE(form.findChild<QGroupBox *>("GroupBox1")->title(), QStringLiteral("费用分类"));
    QVERIFY(form.Cancelled);
    form.SelectMode = mode;
    QVERIFY(form.ReadyData());
    const bool maintenance = mode == 0;
    for (const char *name : {"cmdAddRoot", "cndAddSon", "cmdEdit", "cmdDelete"})
        QCOMPARE(shown(&form, name), maintenance);
    QCOMPARE(shown(&form, "sbSelect"), !maintenance);
    QVERIFY(shown(&form, "SpeedButton1"));
    QCOMPARE(form.findChild<QToolButton *>("cmdDelete")->text(), QStringLiteral("删除(&D)"));
    QCOMPARE(form.findChild<QToolButton *>("sbSelect")->toolTip(), QStringLiteral("选中选定分组"));
    QCOMPARE(TreeShape(form.Tree), (QStringList{"办公费 0001", "  纸张 00010001", "差旅费 0002"}));
    QVERIFY(form.Tree->selectedItems().isEmpty());
    QVERIFY(prompts.shown.isEmpty());
}

void TestCustDef::maintenanceThroughButtons()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmCustDef form;
    QVERIFY(form.ReadyData());
    prompts.inputAnswers << "招待费" << "机票" << "交通费";
    form.findChild<QToolButton *>("cmdAddRoot")->click();
    form.Tree->setCurrentItem(ItemNamed(form.Tree, "差旅费"));
    form.findChild<QToolButton *>("cndAddSon")->click();
    form.findChild<QToolButton *>("cmdEdit")->click(); // renames 差旅费
    QCOMPARE(prompts.texts("input"), (QStringList{"输入费用主分类名称", "输入费用二级分类名称", "输入新的费用分类名称"}));
    QCOMPARE(fx.value("select TypeName from TCustClass where TypeCode='0003'"), QStringLiteral("招待费"));
    QCOMPARE(fx.value("select TypeName from TCustClass where TypeCode='00020001'"), QStringLiteral("机票"));
    QCOMPARE(fx.value("select TypeName from TCustClass where TypeCode='0002'"), QStringLiteral("交通费"));
    QCOMPARE(form.FindNode("00020001"), ItemNamed(form.Tree, "机票"));
    QCOMPARE(form.GetMaxNum("0002"), QStringLiteral("00020002"));

    form.Tree->setCurrentItem(ItemNamed(form.Tree, "机票"));
    form.findChild<QToolButton *>("cmdDelete")->click();
    QCOMPARE(fx.value("select count(*) from TCustClass where TypeCode='00020001'"), QStringLiteral("0"));
    QVERIFY(!ItemNamed(form.Tree, "机票"));
    QVERIFY(prompts.messages().isEmpty());
    QVERIFY(form.Cancelled);
}

void TestCustDef::doubleClickInMaintenanceRenames()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmCustDef form;
    QVERIFY(form.ReadyData());
    form.Tree->setCurrentItem(ItemNamed(form.Tree, "纸张"));
    prompts.inputAnswers << "打印纸";
    form.TreeDblClick();
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown.at(0).initial, QStringLiteral("纸张"));
    QCOMPARE(fx.value("select TypeName from TCustClass where TypeCode='00010001'"), QStringLiteral("打印纸"));
    QVERIFY(form.Cancelled);
    QVERIFY(form.RetTypeCode.isEmpty());
}

void TestCustDef::pickerChoices_data()
{
    QTest::addColumn<QString>("select"); // "" = nothing selected
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("code");
    QTest::newRow("nothing selected") << "" << false << "";
    QTest::newRow("leaf by button") << "纸张" << false << "00010001";
    QTest::newRow("top level with children by button") << "办公费" << false << "0001";
    QTest::newRow("by double click") << "差旅费" << true << "0002";
}

void TestCustDef::pickerChoices()
{
    QFETCH(QString, select);
    QFETCH(bool, doubleClick);
    QFETCH(QString, code);
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmCustDef form;
    form.SelectMode = 1;
    QVERIFY(form.ReadyData());
    form.show();
    if (!select.isEmpty())
        form.Tree->setCurrentItem(ItemNamed(form.Tree, select));
    if (doubleClick)
        form.TreeDblClick();
    else
        form.findChild<QToolButton *>("sbSelect")->click();
    QCOMPARE(form.Cancelled, code.isEmpty());
    QCOMPARE(form.RetTypeCode, code);
    QCOMPARE(form.RetTypeName, select);
    QCOMPARE(form.isVisible(), code.isEmpty()); // a choice closes the window
    QVERIFY(prompts.shown.isEmpty());
}

void TestCustDef::pickCustType()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    QString code = "keep", name = "keep";
    bool seen = false;
    WhenModalOpens(
        [](QDialog *d) {
            auto *tree = d->findChild<QTreeWidget *>("Tree");
            tree->setCurrentItem(ItemNamed(tree, "纸张"));
            d->findChild<QToolButton *>("sbSelect")->click();
        },
        &seen);
    QVERIFY(PickCustType(code, name));
    QVERIFY(seen);
    QCOMPARE(code, QStringLiteral("00010001"));
    QCOMPARE(name, QStringLiteral("纸张"));
}

void TestCustDef::pickCustTypeWithoutChoice()
{
    DmFixture fx;
    RecordingPrompts prompts;
    // An empty table: only the exit button ends the window.
    QString code = "keep", name = "keep";
    bool seen = false;
    WhenModalOpens(
        [](QDialog *d) {
            d->findChild<QToolButton *>("sbSelect")->click();
            QVERIFY(d->isVisible());
            d->findChild<QToolButton *>("SpeedButton1")->click();
        },
        &seen);
    QVERIFY(!PickCustType(code, name));
    QVERIFY(seen);
    QCOMPARE(code, QStringLiteral("keep"));
    QCOMPARE(name, QStringLiteral("keep"));

    // The maintenance opener returns true once the window closes.
    WhenModalOpens([](QDialog *d) { d->findChild<QToolButton *>("SpeedButton1")->click(); }, &seen);
    QVERIFY(OpenCustDefWindow());
    QVERIFY(seen);
}

void TestCustDef::loadFailureShowsNothing()
{
    DmFixture fx;
    RecordingPrompts prompts;
    QVERIFY(fx.exec("DROP TABLE TCustClass"));
    bool seen = true;
    WhenModalOpens([](QDialog *) {}, &seen);
    QVERIFY(!OpenCustDefWindow());
    QString code, name;
    QVERIFY(!PickCustType(code, name));
    QCoreApplication::processEvents();
    QVERIFY(!seen);
    QCOMPARE(prompts.messages(), (QStringList{"读取数据出现错误。", "读取数据出现错误。"}));
}

QTEST_MAIN(TestCustDef)
#include "tst_CustDef.moc"
