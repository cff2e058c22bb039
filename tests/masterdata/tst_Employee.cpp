// The departments and employees window: both modes, the employee list, its buttons and the
// picker's results.
#include "DmFixture.h"
#include "ModalDriver.h"
#include "RecordingPrompts.h"
#include "TreeShape.h"

#include "masterdata/CategoryTable.h"
#include "masterdata/uEmployee.h"
#include "masterdata/uEmployeeEdit.h"
#include "platform/db/DataSet.h"
#include "platform/grid/DBGridEh.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kNoDepartment = QStringLiteral("请首先建立或者选择一个部门分类！");

void addDepartment(DmFixture &fx, const QString &code, const QString &name, const QString &parent, int level)
{
    QVERIFY(fx.exec(CategoryTable::departments().insertSql(code, name, parent, level)));
}

void addEmployee(DmFixture &fx, const QString &code, const QString &name, const QString &depart, int sex,
                 const QString &func, double limit, int state)
{
    QVERIFY(fx.exec(QStringLiteral("insert into TEmployee (Code, UserName, TypeCode, Sex, FuncCode, MaxLimit, ZZStu) "
                                   "values ('%1','%2','%3',%4,'%5',%6,%7)")
                        .arg(code, name, depart)
                        .arg(sex)
                        .arg(func)
                        .arg(limit)
                        .arg(state)));
}

// Two top-level departments (销售部 sorts first by name, 行政部 has the lower code), a
// sub-department, and employees of each.
void fillSample(DmFixture &fx)
{
    addDepartment(fx, "0001", "行政部", "", 0);
    addDepartment(fx, "00010001", "车队", "0001", 1);
    addDepartment(fx, "0002", "销售部", "", 0);
    QVERIFY(fx.exec("insert into TFunc (FuncCode, FuncName) values ('XSJL','销售经理'), ('SJ','司机')"));
    addEmployee(fx, "00020001", "李四", "0002", 1, "XSJL", 1234.5, 1);
    addEmployee(fx, "00020002", "王五", "0002", 0, "GONE", 0, 0); // position that no longer exists
    addEmployee(fx, "00010001", "张三", "0001", 0, "SJ", 0, 1);
    addEmployee(fx, "000100010001", "赵六", "00010001", 0, "SJ", 0, 1);
}

bool shown(QWidget *form, const char *name)
{
    auto *w = form->findChild<QWidget *>(QString::fromLatin1(name));
    return w && w->isVisibleTo(form);
}

// The names in the list, in its order.
QStringList listed(TfrmEmployee &form)
{
    QStringList names;
    db::DataSet *ds = form.dsQuery;
    if (!ds->active())
        return names;
    for (int row = 0; row < ds->recordCount(); ++row)
        names << form.DBGridEh1->displayText(row, form.DBGridEh1->columnIndex("UserName"));
    return names;
}

void selectDepartment(TfrmEmployee &form, const QString &name)
{
    QTreeWidgetItem *item = ItemNamed(form.Tree, name);
    QVERIFY2(item, qPrintable(name));
    form.Tree->setCurrentItem(item);
}

void selectEmployee(TfrmEmployee &form, const QString &name)
{
    for (int row = 0; row < form.dsQuery->recordCount(); ++row) {
        form.dsQuery->setRecNo(row);
        if (form.dsQuery->fieldByName("UserName").asString() == name)
            return;
    }
    QFAIL(qPrintable(name));
}

// What the window handed to the employee editor it opened.
struct EditorOpened {
    bool seen = false;
    QString depart;
    int id = 0;
};

// Notes the employee editor that is about to open in `opened`, then runs `act` on it (an
// editor left open is cancelled).
void WhenEditorOpens(EditorOpened &opened, std::function<void(TfrmEmployeeEdit *)> act = {})
{
    WhenModalOpens(
        [&opened, act](QDialog *d) {
            auto *editor = qobject_cast<TfrmEmployeeEdit *>(d);
            QVERIFY(editor);
            opened.depart = editor->DepartCode;
            opened.id = editor->RecordID;
            if (act)
                act(editor);
        },
        &opened.seen);
}

} // namespace

class TestEmployee : public QObject {
    Q_OBJECT
private slots:
    void modes_data();
    void modes();
    void firstDepartmentListed();
    void listColumns();
    void listFollowsTree();
    void listFollowsMouseAndKeys();
    void emptyDepartmentTable();
    void editNeedsARecord();
    void deleteEmployee();
    void deleteEmployeeRefused();
    void deleteWithEmptyListDoesNothing();
    void departmentMaintenance();
    void addOpensEditorAndReloads();
    void editOpensEditorForCurrentRow();
    void pickerChoices_data();
    void pickerChoices();
    void doubleClicksInMaintenance();
    void pickDepartEmployee_data();
    void pickDepartEmployee();
    void loadFailures();
};

void TestEmployee::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("maintenance") << 0;
    QTest::newRow("picker") << 1;
}

void TestEmployee::modes()
{
    QFETCH(int, mode);
    DmFixture fx;
    RecordingPrompts prompts;
    TfrmEmployee form;
    QCOMPARE(form.windowTitle(), QStringLiteral("雇员信息管理"));
    QCOMPARE(form.findChild<QGroupBox *>("GroupBox1")->title(), QStringLiteral("部门分类"));
    QCOMPARE(form.findChild<QGroupBox *>("GroupBox2")->title(), QStringLiteral("员工资料列表"));
    QVERIFY(form.Cancelled);
    form.SelectMode = mode;
    QVERIFY(form.ReadyData());
    const bool maintenance = mode == 0;
    for (const char *name :
         {"cmdAddRoot", "cndAddSon", "cmdEdit", "cmdDelete", "cmdAddClient", "cmdEditClient", "cmdDeleteClient"})
        QCOMPARE(shown(&form, name), maintenance);
    QCOMPARE(shown(&form, "sbSelect"), !maintenance);
    QCOMPARE(shown(&form, "cmdSelect"), !maintenance);
    QVERIFY(shown(&form, "cmdClose"));
    QCOMPARE(form.findChild<QToolButton *>("sbSelect")->text(), QStringLiteral("选中部门"));
    QCOMPARE(form.findChild<QPushButton *>("cmdSelect")->text(), QStringLiteral("选中职员(&S)"));
    QCOMPARE(form.findChild<QToolButton *>("cmdDelete")->toolTip(), QStringLiteral("删除选定分组"));
    QVERIFY(prompts.shown.isEmpty());
}

void TestEmployee::firstDepartmentListed()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    // 销售部 (xiao) comes before 行政部 (xing) by name, although its code is higher.
    QCOMPARE(TreeShape(form.Tree), (QStringList{"销售部 0002", "行政部 0001", "  车队 00010001"}));
    QCOMPARE(form.Tree->currentItem()->text(0), QStringLiteral("销售部"));
    QVERIFY(form.Tree->currentItem()->isSelected());
    QCOMPARE(listed(form), (QStringList{"李四", "王五"}));
}

void TestEmployee::listColumns()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    DBGridEh *grid = form.DBGridEh1;
    auto cell = [&](const QString &name, const char *field) {
        for (int row = 0; row < form.dsQuery->recordCount(); ++row)
            if (grid->displayText(row, grid->columnIndex("UserName")) == name)
                return grid->displayText(row, grid->columnIndex(field));
        return QStringLiteral("<none>");
    };
    QCOMPARE(cell("李四", "Sex"), QStringLiteral("女"));
    QCOMPARE(cell("王五", "Sex"), QStringLiteral("男"));
    QCOMPARE(cell("李四", "ZZStu"), QStringLiteral("在职"));
    QCOMPARE(cell("王五", "ZZStu"), QStringLiteral("离职"));
    QCOMPARE(cell("李四", "MaxLimit"), QStringLiteral("1234.50"));
    QCOMPARE(cell("王五", "MaxLimit"), QStringLiteral("0.00"));
    QCOMPARE(cell("李四", "FuncName"), QStringLiteral("销售经理"));
    QCOMPARE(cell("王五", "FuncName"), QString()); // no such position: listed with an empty one

    QStringList titles;
    for (const GridColumn &c : grid->columns())
        if (c.visible)
            titles << c.title;
    QCOMPARE(titles, (QStringList{"姓名", "性别", "职位", "费用限额", "在职状态", "电话", "手机", "EMail", "联系地址",
                                  "邮政编码", "备注"}));
    QVERIFY(grid->isColumnHidden(grid->columnIndex("ID")));
    QVERIFY(grid->isColumnHidden(grid->columnIndex("TypeCode")));
}

void TestEmployee::listFollowsTree()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    selectDepartment(form, "行政部");
    QCOMPARE(listed(form), QStringList{"张三"}); // not the employee of its sub-department
    selectDepartment(form, "车队");
    QCOMPARE(listed(form), QStringList{"赵六"});
    QVERIFY(form.ReadyList("0002"));
    QCOMPARE(listed(form), (QStringList{"李四", "王五"}));
    QVERIFY(form.ReadyList("it's"));
    QVERIFY(listed(form).isEmpty());
    QVERIFY(prompts.shown.isEmpty());
}

void TestEmployee::listFollowsMouseAndKeys()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTreeWidgetItem *item = ItemNamed(form.Tree, "行政部");
    QTest::mouseClick(form.Tree->viewport(), Qt::LeftButton, {}, form.Tree->visualItemRect(item).center());
    QCOMPARE(form.Tree->currentItem(), item);
    QCOMPARE(listed(form), QStringList{"张三"});
    QVERIFY(item->isExpanded());
    QTest::keyClick(form.Tree, Qt::Key_Down); // into 车队; its parent stays open
    QCOMPARE(form.Tree->currentItem()->text(0), QStringLiteral("车队"));
    QCOMPARE(listed(form), QStringList{"赵六"});
    QVERIFY(item->isExpanded());
    QTest::keyClick(form.Tree, Qt::Key_Up);
    QCOMPARE(listed(form), QStringList{"张三"});
    QTest::keyClick(form.Tree, Qt::Key_Up); // to 销售部: 行政部 loses the selection and closes
    QCOMPARE(listed(form), (QStringList{"李四", "王五"}));
    QVERIFY(!item->isExpanded());
}

void TestEmployee::emptyDepartmentTable()
{
    DmFixture fx;
    RecordingPrompts prompts;
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    QCOMPARE(form.Tree->topLevelItemCount(), 0);
    QVERIFY(listed(form).isEmpty());
    QCOMPARE(form.DBGridEh1->model()->rowCount(), 0);
    form.findChild<QPushButton *>("cmdAddClient")->click();
    form.findChild<QPushButton *>("cmdEditClient")->click();
    QCOMPARE(prompts.messages(), (QStringList{kNoDepartment, kNoDepartment}));
}

void TestEmployee::editNeedsARecord()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    addDepartment(fx, "0003", "财务部", "", 0);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    selectDepartment(form, "财务部");
    bool seen = true;
    WhenModalOpens([](QDialog *) {}, &seen);
    form.findChild<QPushButton *>("cmdEditClient")->click();
    QCoreApplication::processEvents();
    QVERIFY(!seen);
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("没有可修改的记录！")});
}

void TestEmployee::deleteEmployee()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    QVERIFY(fx.exec("insert into TBillDetail (DepartCode, EmpID, EmpName, Total) values ('0002','00020001','李四',5)"));
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    selectEmployee(form, "李四");
    prompts.confirmAnswers << false;
    form.findChild<QPushButton *>("cmdDeleteClient")->click();
    QCOMPARE(prompts.texts("confirm"), QStringList{QStringLiteral("您确认删除选定雇员资料吗？")});
    QCOMPARE(fx.value("select count(*) from TEmployee where UserName='李四'"), QStringLiteral("1"));

    form.findChild<QPushButton *>("cmdDeleteClient")->click(); // Yes
    QCOMPARE(fx.value("select count(*) from TEmployee where UserName='李四'"), QStringLiteral("0"));
    QCOMPARE(listed(form), QStringList{"王五"});
    // The expense records keep the employee's code and name.
    QCOMPARE(fx.value("select EmpID || '|' || EmpName from TBillDetail"), QStringLiteral("00020001|李四"));
    QVERIFY(prompts.messages().isEmpty());
}

void TestEmployee::deleteEmployeeRefused()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    QVERIFY(fx.exec("CREATE TRIGGER trRefuse BEFORE DELETE ON TEmployee BEGIN SELECT RAISE(ABORT, 'no'); END"));
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    form.findChild<QPushButton *>("cmdDeleteClient")->click();
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("删除数据发生错误！")});
    QCOMPARE(listed(form), (QStringList{"李四", "王五"}));
}

void TestEmployee::deleteWithEmptyListDoesNothing()
{
    DmFixture fx;
    RecordingPrompts prompts;
    addDepartment(fx, "0001", "行政部", "", 0);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    form.findChild<QPushButton *>("cmdDeleteClient")->click();
    QVERIFY(prompts.shown.isEmpty());
}

void TestEmployee::departmentMaintenance()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    QVERIFY(fx.exec("insert into TBillDetail (DepartCode, DepartName) values ('00010001','车队')"));
    // A chain down to level 4 below 车队.
    addDepartment(fx, "000100010001", "L2", "00010001", 2);
    addDepartment(fx, "0001000100010001", "L3", "000100010001", 3);
    addDepartment(fx, "00010001000100010001", "L4", "0001000100010001", 4);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    prompts.inputAnswers << "财务部" << "车管" << "车管科";
    form.findChild<QToolButton *>("cmdAddRoot")->click();
    selectDepartment(form, "车队");
    form.findChild<QToolButton *>("cndAddSon")->click();
    form.findChild<QToolButton *>("cmdEdit")->click(); // renames 车队
    selectDepartment(form, "L4");
    form.findChild<QToolButton *>("cndAddSon")->click();
    QCOMPARE(prompts.texts("input"), (QStringList{"输入部门主分类名称", "输入下级部门分类名称", "输入新的部门分类名称"}));
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("最多支持5级分类！")});
    QCOMPARE(fx.value("select TypeName from TEmpClass where TypeCode='0003'"), QStringLiteral("财务部"));
    QCOMPARE(fx.value("select TypeName from TEmpClass where TypeCode='000100010002'"), QStringLiteral("车管"));
    QCOMPARE(fx.value("select DepartName from TBillDetail where DepartCode='00010001'"), QStringLiteral("车管科"));
    QCOMPARE(form.FindNode("000100010002"), ItemNamed(form.Tree, "车管"));
    QCOMPARE(form.GetMaxNum("00010001"), QStringLiteral("000100010003"));

    selectDepartment(form, "车管");
    form.findChild<QToolButton *>("cmdDelete")->click();
    QCOMPARE(fx.value("select count(*) from TEmpClass where TypeCode='000100010002'"), QStringLiteral("0"));
    selectDepartment(form, "车管科");
    form.findChild<QToolButton *>("cmdDelete")->click();
    QCOMPARE(prompts.lastMessage(), QStringLiteral("指定分类下有子分类，不能直接删除！请先删除子分类！"));
}

void TestEmployee::addOpensEditorAndReloads()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    selectDepartment(form, "行政部");

    // Cancelled: nothing stored, the list unchanged.
    EditorOpened opened;
    WhenEditorOpens(opened, [](TfrmEmployeeEdit *editor) { editor->findChild<QPushButton *>("cmdClose")->click(); });
    form.findChild<QPushButton *>("cmdAddClient")->click();
    QVERIFY(opened.seen);
    QCOMPARE(opened.depart, QStringLiteral("0001"));
    QCOMPARE(opened.id, -1);
    QCOMPARE(listed(form), QStringList{"张三"});

    // Saved: the list shows the new employee.
    WhenEditorOpens(opened, [](TfrmEmployeeEdit *editor) {
        editor->findChild<QLineEdit *>("EditTrueName")->setText("孙七");
        editor->findChild<QComboBox *>("cmbFuncName")->setCurrentIndex(0);
        editor->findChild<QPushButton *>("cmdReg")->click();
    });
    form.findChild<QPushButton *>("cmdAddClient")->click();
    QVERIFY(opened.seen);
    QCOMPARE(listed(form), (QStringList{"张三", "孙七"}));
    QCOMPARE(fx.value("select TypeCode from TEmployee where UserName='孙七'"), QStringLiteral("0001"));
}

void TestEmployee::editOpensEditorForCurrentRow()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    selectEmployee(form, "王五");
    const int expected = fx.value("select ID from TEmployee where UserName='王五'").toInt();
    EditorOpened opened;
    WhenEditorOpens(opened);
    form.findChild<QPushButton *>("cmdEditClient")->click();
    QVERIFY(opened.seen);
    QCOMPARE(opened.id, expected);
    QCOMPARE(opened.depart, QStringLiteral("0002"));
}

void TestEmployee::pickerChoices_data()
{
    QTest::addColumn<QString>("action"); // what the user does
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("employee");
    QTest::addColumn<bool>("chosen");
    QTest::newRow("department button") << "sbSelect" << "行政部" << "" << true;
    QTest::newRow("tree double click") << "treeDbl" << "车队" << "" << true;
    QTest::newRow("employee button") << "cmdSelect" << "销售部" << "王五" << true;
    QTest::newRow("grid double click") << "gridDbl" << "销售部" << "李四" << true;
    QTest::newRow("employee button on an empty list") << "cmdSelect" << "财务部" << "" << false;
    QTest::newRow("close") << "cmdClose" << "销售部" << "李四" << false;
}

void TestEmployee::pickerChoices()
{
    QFETCH(QString, action);
    QFETCH(QString, department);
    QFETCH(QString, employee);
    QFETCH(bool, chosen);
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    addDepartment(fx, "0003", "财务部", "", 0);
    TfrmEmployee form;
    form.SelectMode = 1;
    QVERIFY(form.ReadyData());
    form.show();
    selectDepartment(form, department);
    if (!employee.isEmpty())
        selectEmployee(form, employee);
    if (action == "treeDbl")
        form.TreeDblClick();
    else if (action == "gridDbl")
        form.DBGridEh1DblClick();
    else
        qobject_cast<QAbstractButton *>(form.findChild<QWidget *>(action))->click();

    QCOMPARE(form.Cancelled, !chosen);
    QCOMPARE(form.isVisible(), action != "cmdClose" && !chosen);
    const QString code = PayloadOf(ItemNamed(form.Tree, department))->TypeCode;
    QCOMPARE(form.RetDepartCode, chosen ? code : QString());
    QCOMPARE(form.RetDepartName, chosen ? department : QString());
    QCOMPARE(form.RetEmpName, chosen ? employee : QString());
    QCOMPARE(form.RetEmpCode,
             chosen && !employee.isEmpty() ? fx.value("select Code from TEmployee where UserName='" + employee + "'")
                                           : QString());
    QVERIFY(prompts.shown.isEmpty());
}

void TestEmployee::doubleClicksInMaintenance()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    TfrmEmployee form;
    QVERIFY(form.ReadyData());
    form.show();
    form.TreeDblClick(); // nothing beyond expanding
    QVERIFY(form.isVisible());
    QVERIFY(form.Cancelled);
    // A double click on the grid edits the current employee.
    EditorOpened opened;
    WhenEditorOpens(opened);
    form.DBGridEh1DblClick();
    QVERIFY(opened.seen);
    QCOMPARE(opened.id, int(form.dsQuery->fieldByName("ID").asInteger()));
    QVERIFY(form.isVisible());
}

void TestEmployee::pickDepartEmployee_data()
{
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("employee"); // "" = the department alone
    QTest::addColumn<bool>("choose");
    QTest::newRow("employee") << "行政部" << "张三" << true;
    QTest::newRow("department alone clears the employee") << "车队" << "" << true;
    QTest::newRow("no choice keeps the caller's values") << "行政部" << "" << false;
}

void TestEmployee::pickDepartEmployee()
{
    QFETCH(QString, department);
    QFETCH(QString, employee);
    QFETCH(bool, choose);
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    QString departCode = "old", departName = "old", empCode = "old", empName = "old";
    bool seen = false;
    WhenModalOpens(
        [&](QDialog *d) {
            auto *form = qobject_cast<TfrmEmployee *>(d);
            QVERIFY(form);
            QCOMPARE(form->SelectMode, 1);
            selectDepartment(*form, department);
            if (!choose)
                form->findChild<QPushButton *>("cmdClose")->click();
            else if (employee.isEmpty())
                form->findChild<QToolButton *>("sbSelect")->click();
            else {
                selectEmployee(*form, employee);
                form->findChild<QPushButton *>("cmdSelect")->click();
            }
        },
        &seen);
    QCOMPARE(PickDepartEmployee(departCode, departName, empCode, empName), choose);
    QVERIFY(seen);
    if (!choose) {
        QCOMPARE((QStringList{departCode, departName, empCode, empName}), (QStringList{"old", "old", "old", "old"}));
        return;
    }
    QCOMPARE(departName, department);
    QCOMPARE(departCode, fx.value("select TypeCode from TEmpClass where TypeName='" + department + "'"));
    QCOMPARE(empName, employee);
    QCOMPARE(empCode, employee.isEmpty() ? QString() : fx.value("select Code from TEmployee where UserName='" + employee + "'"));
}

void TestEmployee::loadFailures()
{
    DmFixture fx;
    RecordingPrompts prompts;
    fillSample(fx);
    {
        TfrmEmployee form;
        QVERIFY(form.ReadyData());
        QVERIFY(fx.exec("ALTER TABLE TEmployee RENAME TO TGone"));
        QVERIFY(!form.ReadyList("0001"));
        QVERIFY(listed(form).isEmpty());
        QCOMPARE(prompts.messages(), QStringList{QStringLiteral("读取数据出现错误。")});
        QVERIFY(fx.exec("ALTER TABLE TGone RENAME TO TEmployee"));
    }
    prompts.clear();
    QVERIFY(fx.exec("DROP TABLE TEmpClass"));
    bool seen = true;
    WhenModalOpens([](QDialog *) {}, &seen);
    QVERIFY(!OpenEmployeeWindow());
    QString a, b, c, d;
    QVERIFY(!PickDepartEmployee(a, b, c, d));
    QCoreApplication::processEvents();
    QVERIFY(!seen);
    QCOMPARE(prompts.messages(), (QStringList{"读取数据出现错误。", "读取数据出现错误。"}));
}

QTEST_MAIN(TestEmployee)
#include "tst_Employee.moc"
