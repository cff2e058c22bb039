// The employee editor: loading a record, the validation order, the limit box, the code drawn
// on the first save (and refused when it cannot be drawn), and the name carried into the
// expense records.
#include "DmFixture.h"
#include "ModalDriver.h"
#include "RecordingPrompts.h"

#include "masterdata/uEmployeeEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

void addPositions(DmFixture &fx)
{
    QVERIFY(fx.exec("Insert into TFunc (FuncCode, FuncName) Values('05','司机'),('01','总经理'),"
                    "('02','部门经理'),('04','文员')"));
}

int addEmployee(DmFixture &fx, const QString &code, const QString &name, const QString &depart,
                const QString &func, double limit = 0, int sex = 0, int state = 1)
{
    fx.exec(QStringLiteral("Insert into TEmployee (Code, UserName, Sex, TelePhone, MobilePhone, EMail, Address, PostCode, "
                           "Desp, MaxLimit, ZZStu, TypeCode, FuncCode) Values('%1','%2',%3,'0571-1','139','a@b.cn',"
                           "'杭州','310012','备注',%4,%5,'%6','%7')")
                .arg(code, name)
                .arg(sex)
                .arg(limit)
                .arg(state)
                .arg(depart, func));
    return fx.value(QStringLiteral("Select Max(ID) from TEmployee")).toInt();
}

void addBill(DmFixture &fx, const QString &empId, const QString &empName)
{
    QVERIFY(fx.exec(QStringLiteral("Insert into TBillDetail (OcrDate, DepartCode, EmpID, EmpName, Total) "
                                   "Values('2024-03-01 09:00:00','0001','%1','%2',10)")
                        .arg(empId, empName)));
}

// A new employee of `depart` with a name and the position at `position` in the list.
void fillNew(TfrmEmployeeEdit &editor, const QString &depart, const QString &name, int position)
{
    editor.DepartCode = depart;
    editor.RecordID = -1;
    QVERIFY(editor.ReadyData());
    editor.EditTrueName->setText(name);
    editor.cmbFuncName->setCurrentIndex(position);
}

} // namespace

class TestEmployeeEdit : public QObject {
    Q_OBJECT
private slots:
    void newRecordStartsBlank();
    void positionsListedByNameInStep();
    void existingRecordLoads();
    void validationOrder_data();
    void validationOrder();
    void positionCodeWithoutPositionMustBeChosen();
    void newEmployeeSaved();
    void codesDrawnOnSave_data();
    void codesDrawnOnSave();
    void codeThatCannotBeDrawnRefusesTheSave();
    void existingRecordWithoutCodeGetsOne();
    void limitBox_data();
    void limitBox();
    void limitBoxTakesNaturalTyping();
    void nameCarriedIntoExpenseRecords();
    void openerResults();
    void loadFailure();
    void enterMovesOn();
};

void TestEmployeeEdit::newRecordStartsBlank()
{
    DmFixture fx;
    addPositions(fx);
    TfrmEmployeeEdit editor;
    QCOMPARE(editor.windowTitle(), QStringLiteral("新增/修改联系人信息"));
    editor.DepartCode = "0001";
    QVERIFY(editor.ReadyData());
    QCOMPARE(editor.windowTitle(), QStringLiteral("新增职员纪录"));
    QCOMPARE(editor.cmbSex->currentText(), QStringLiteral("男"));
    QCOMPARE(editor.cmbZZStu->currentText(), QStringLiteral("在职"));
    QCOMPARE(editor.cmbFuncName->currentIndex(), -1);
    QCOMPARE(editor.EditTrueName->text(), QString());
    QVERIFY(editor.EmpCode.isEmpty());
    QVERIFY(editor.Cancelled);
}

void TestEmployeeEdit::positionsListedByNameInStep()
{
    DmFixture fx;
    addPositions(fx);
    TfrmEmployeeEdit editor;
    QVERIFY(editor.ReadyData());
    QStringList names;
    for (int i = 0; i < editor.cmbFuncName->count(); ++i)
        names << editor.cmbFuncName->itemText(i);
    // Pinyin order: bu, si, wen, zong.
    QCOMPARE(names, (QStringList{"部门经理", "司机", "文员", "总经理"}));
    QCOMPARE(editor.ListFuncCode, (QStringList{"02", "05", "04", "01"}));
}

void TestEmployeeEdit::existingRecordLoads()
{
    DmFixture fx;
    addPositions(fx);
    const int id = addEmployee(fx, "00010002", "刘芳", "0001", "04", 2000, 1, 0);
    TfrmEmployeeEdit editor;
    editor.DepartCode = "0001";
    editor.RecordID = id;
    QVERIFY(editor.ReadyData());

    QCOMPARE(editor.windowTitle(), QStringLiteral("修改职员记录"));
    QCOMPARE(editor.EmpCode, QStringLiteral("00010002"));
    QCOMPARE(editor.FuncCode, QStringLiteral("04"));
    QCOMPARE(editor.EditTrueName->text(), QStringLiteral("刘芳"));
    QCOMPARE(editor.cmbSex->currentText(), QStringLiteral("女"));
    QCOMPARE(editor.cmbZZStu->currentText(), QStringLiteral("离职"));
    QCOMPARE(editor.cmbFuncName->currentText(), QStringLiteral("文员"));
    QCOMPARE(editor.EditMaxLimit->text(), QStringLiteral("2000.00"));
    QCOMPARE(editor.EditTelePhone->text(), QStringLiteral("0571-1"));
    QCOMPARE(editor.EditMobileCode->text(), QStringLiteral("139"));
    QCOMPARE(editor.EditEMail->text(), QStringLiteral("a@b.cn"));
    QCOMPARE(editor.EditAddress->text(), QStringLiteral("杭州"));
    QCOMPARE(editor.EditPostCode->text(), QStringLiteral("310012"));
    QCOMPARE(editor.EditMemo->toPlainText(), QStringLiteral("备注"));
}

void TestEmployeeEdit::validationOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("no name and no position: the name first") << "" << -1 << "业务员姓名必须输入！" << "EditTrueName";
    QTest::newRow("no name") << "" << 0 << "业务员姓名必须输入！" << "EditTrueName";
    QTest::newRow("no position") << "张三" << -1 << "职位必须指定！" << "cmbFuncName";
}

void TestEmployeeEdit::validationOrder()
{
    QFETCH(QString, name);
    QFETCH(int, position);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    DmFixture fx;
    addPositions(fx);
    RecordingPrompts prompts;
    TfrmEmployeeEdit editor;
    fillNew(editor, "0001", name, position);
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.EditPostCode->setFocus();

    editor.cmdReg->click();
    QCOMPARE(prompts.messages(), QStringList{message});
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(editor.Cancelled);
    QVERIFY(editor.isVisible());
    QVERIFY(editor.EmpCode.isEmpty()); // no code drawn for a record that was not stored
    QCOMPARE(fx.value("Select Count(*) from TEmployee"), QStringLiteral("0"));
}

void TestEmployeeEdit::positionCodeWithoutPositionMustBeChosen()
{
    DmFixture fx;
    addPositions(fx);
    RecordingPrompts prompts;
    const int id = addEmployee(fx, "00010001", "王建国", "0001", "99");
    TfrmEmployeeEdit editor;
    editor.DepartCode = "0001";
    editor.RecordID = id;
    QVERIFY(editor.ReadyData());
    QCOMPARE(editor.cmbFuncName->currentIndex(), -1);
    QVERIFY(!editor.SaveData());
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("职位必须指定！")});

    editor.cmbFuncName->setCurrentText(QStringLiteral("总经理"));
    QVERIFY(editor.SaveData());
    QCOMPARE(fx.value("Select FuncCode from TEmployee"), QStringLiteral("01"));
}

void TestEmployeeEdit::newEmployeeSaved()
{
    DmFixture fx;
    addPositions(fx);
    RecordingPrompts prompts;
    TfrmEmployeeEdit editor;
    fillNew(editor, "00010002", "O'Neil 张", 2); // 文员
    editor.cmbSex->setCurrentIndex(1);
    editor.EditTelePhone->setText("0571-88562300");
    editor.EditMobileCode->setText("13758126634");
    editor.EditEMail->setText("oneil@example.cn");
    editor.EditAddress->setText("文三路478号");
    editor.EditPostCode->setText("310012");
    editor.EditMemo->setPlainText("第一行\n第二行");
    editor.cmdRegClick();

    QVERIFY(prompts.messages().isEmpty());
    QVERIFY(!editor.Cancelled);
    QCOMPARE(editor.EmpCode, QStringLiteral("000100020001"));
    db::DataSet row(fx.connection());
    row.setCommandText("Select * from TEmployee");
    row.open();
    QCOMPARE(row.recordCount(), 1);
    auto text = [&](const char *f) { return row.fieldByName(f).asString(); };
    QCOMPARE(text("Code"), QStringLiteral("000100020001"));
    QCOMPARE(text("UserName"), QStringLiteral("O'Neil 张"));
    QCOMPARE(row.fieldByName("Sex").asInteger(), 1);
    QCOMPARE(text("TelePhone"), QStringLiteral("0571-88562300"));
    QCOMPARE(text("MobilePhone"), QStringLiteral("13758126634"));
    QCOMPARE(text("EMail"), QStringLiteral("oneil@example.cn"));
    QCOMPARE(text("Address"), QStringLiteral("文三路478号"));
    QCOMPARE(text("PostCode"), QStringLiteral("310012"));
    QCOMPARE(text("Desp"), QStringLiteral("第一行\n第二行"));
    QCOMPARE(row.fieldByName("MaxLimit").asFloat(), 0.0);
    QCOMPARE(row.fieldByName("ZZStu").asInteger(), 1);
    QCOMPARE(text("TypeCode"), QStringLiteral("00010002"));
    QCOMPARE(text("FuncCode"), QStringLiteral("04"));
}

void TestEmployeeEdit::codesDrawnOnSave_data()
{
    QTest::addColumn<QStringList>("existing"); // "TypeCode Code"
    QTest::addColumn<QString>("depart");
    QTest::addColumn<QString>("code");

    QTest::newRow("empty department") << QStringList{} << "00010002" << "000100020001";
    QTest::newRow("after two employees") << QStringList{"0001 00010001", "0001 00010002"} << "0001" << "00010003";
    QTest::newRow("five-digit number under a sub-department")
        << QStringList{"0001 00010001", "00010001 000100010004"} << "0001" << "000110005";
}

void TestEmployeeEdit::codesDrawnOnSave()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, depart);
    QFETCH(QString, code);

    DmFixture fx;
    addPositions(fx);
    RecordingPrompts prompts;
    for (const QString &pair : existing)
        addEmployee(fx, pair.section(u' ', 1), "甲", pair.section(u' ', 0), "01");
    TfrmEmployeeEdit editor;
    fillNew(editor, depart, "新人", 0);
    QVERIFY(editor.EmpCode.isEmpty()); // drawn on saving, not on opening
    QVERIFY(editor.SaveData());
    QCOMPARE(fx.value("Select Code from TEmployee Where UserName='新人'"), code);
    QCOMPARE(fx.value("Select TypeCode from TEmployee Where UserName='新人'"), depart);
}

void TestEmployeeEdit::codeThatCannotBeDrawnRefusesTheSave()
{
    DmFixture fx;
    addPositions(fx);
    RecordingPrompts prompts;
    addEmployee(fx, "0001ABCD", "旧", "0001", "01"); // the greatest code reads as no number
    TfrmEmployeeEdit editor;
    fillNew(editor, "0001", "新人", 0);
    editor.cmdRegClick();

    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("存储数据发生错误!")});
    QVERIFY(editor.Cancelled);
    QCOMPARE(fx.value("Select Count(*) from TEmployee"), QStringLiteral("1"));
    QCOMPARE(fx.value("Select Count(*) from TEmployee Where Code=''"), QStringLiteral("0"));
}

void TestEmployeeEdit::existingRecordWithoutCodeGetsOne()
{
    DmFixture fx;
    addPositions(fx);
    const int id = addEmployee(fx, "", "无码", "0002", "01");
    addEmployee(fx, "00020003", "乙", "0002", "01");
    TfrmEmployeeEdit editor;
    editor.DepartCode = "0002";
    editor.RecordID = id;
    QVERIFY(editor.ReadyData());
    QVERIFY(editor.EmpCode.isEmpty());
    QVERIFY(editor.SaveData());
    QCOMPARE(fx.value(QStringLiteral("Select Code from TEmployee Where ID=%1").arg(id)), QStringLiteral("00020004"));
    QCOMPARE(fx.value("Select Count(*) from TEmployee"), QStringLiteral("2"));
}

void TestEmployeeEdit::limitBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("stored");

    QTest::newRow("left at its initial text") << "" << 0.0; // empty: the box is not touched
    QTest::newRow("emptied") << "<empty>" << 0.0;
    QTest::newRow("only the point") << "." << 0.0;
    QTest::newRow("point and a zero") << ".0" << 0.0;
    QTest::newRow("blanks of a mask") << "       .  " << 0.0;
    QTest::newRow("mask-style padded amount") << "  12.50" << 12.5;
    QTest::newRow("natural decimal") << "12.5" << 12.5;
    QTest::newRow("whole number") << "500" << 500.0;
    QTest::newRow("seven digits and two decimals") << "1234567.89" << 1234567.89;
    QTest::newRow("trailing point") << "80." << 80.0;
    QTest::newRow("leading point") << ".5" << 0.5;
}

void TestEmployeeEdit::limitBox()
{
    QFETCH(QString, text);
    QFETCH(double, stored);

    DmFixture fx;
    addPositions(fx);
    TfrmEmployeeEdit editor;
    fillNew(editor, "0001", "张三", 0);
    if (text == QLatin1String("<empty>"))
        editor.EditMaxLimit->clear();
    else if (!text.isEmpty())
        editor.EditMaxLimit->setText(text);
    QVERIFY(editor.SaveData());
    QCOMPARE(fx.value("Select MaxLimit from TEmployee").toDouble(), stored);
}

void TestEmployeeEdit::limitBoxTakesNaturalTyping()
{
    DmFixture fx;
    addPositions(fx);
    TfrmEmployeeEdit editor;
    fillNew(editor, "0001", "张三", 0);
    QLineEdit *box = editor.EditMaxLimit;

    box->clear();
    QTest::keyClicks(box, "12.5");
    QCOMPARE(box->text(), QStringLiteral("12.5"));
    box->clear();
    QTest::keyClicks(box, "x1a2-3");
    QCOMPARE(box->text(), QStringLiteral("123")); // no letters or signs
    box->clear();
    QTest::keyClicks(box, "123456789.123");
    QCOMPARE(box->text(), QStringLiteral("1234567.12")); // seven digits, a point, two decimals
    QVERIFY(editor.SaveData());
    QCOMPARE(fx.value("Select MaxLimit from TEmployee").toDouble(), 1234567.12);
}

void TestEmployeeEdit::nameCarriedIntoExpenseRecords()
{
    DmFixture fx;
    addPositions(fx);
    RecordingPrompts prompts;
    const int id = addEmployee(fx, "00010001", "王建国", "0001", "01");
    addEmployee(fx, "00010002", "刘芳", "0001", "04");
    addBill(fx, "00010001", "王建国");
    addBill(fx, "00010001", "旧名字");
    addBill(fx, "00010002", "刘芳");
    addBill(fx, "", "");

    TfrmEmployeeEdit editor;
    editor.DepartCode = "0001";
    editor.RecordID = id;
    QVERIFY(editor.ReadyData());
    editor.EditTrueName->setText("王 O'Hara");
    QVERIFY(editor.SaveData());

    QCOMPARE(fx.value("Select Count(*) from TBillDetail Where EmpName='王 O''Hara'"), QStringLiteral("2"));
    QCOMPARE(fx.value("Select EmpName from TBillDetail Where EmpID='00010002'"), QStringLiteral("刘芳"));
    QCOMPARE(fx.value("Select EmpName from TBillDetail Where EmpID=''"), QString());
    QCOMPARE(fx.value("Select UserName from TEmployee Where Code='00010001'"), QStringLiteral("王 O'Hara"));
    QCOMPARE(fx.value("Select Count(*) from TEmployee"), QStringLiteral("2"));

    // A new employee's code may already stand in expense records: they take the name too.
    addBill(fx, "00010003", "");
    TfrmEmployeeEdit added;
    fillNew(added, "0001", "赵敏", 0);
    QVERIFY(added.SaveData());
    QCOMPARE(fx.value("Select EmpName from TBillDetail Where EmpID='00010003'"), QStringLiteral("赵敏"));
    QVERIFY(prompts.messages().isEmpty());
}

void TestEmployeeEdit::openerResults()
{
    DmFixture fx;
    addPositions(fx);
    RecordingPrompts prompts;

    bool seen = false;
    WhenModalOpens(
        [](QDialog *d) {
            auto *editor = qobject_cast<TfrmEmployeeEdit *>(d);
            QVERIFY(editor);
            editor->EditTrueName->setText("陈静");
            editor->cmbFuncName->setCurrentIndex(0);
            editor->findChild<QPushButton *>("cmdClose")->click();
        },
        &seen);
    QVERIFY(!OpenEmployeeEditor("0002", -1));
    QVERIFY(seen);
    QCOMPARE(fx.value("Select Count(*) from TEmployee"), QStringLiteral("0"));

    WhenModalOpens(
        [](QDialog *d) {
            auto *editor = qobject_cast<TfrmEmployeeEdit *>(d);
            editor->EditTrueName->setText("陈静");
            editor->cmbFuncName->setCurrentIndex(0);
            editor->findChild<QPushButton *>("cmdReg")->click();
        },
        &seen);
    QVERIFY(OpenEmployeeEditor("0002", -1));
    QVERIFY(seen);
    QCOMPARE(fx.value("Select Code from TEmployee Where UserName='陈静'"), QStringLiteral("00020001"));
}

void TestEmployeeEdit::loadFailure()
{
    DmFixture fx;
    RecordingPrompts prompts;
    QVERIFY(fx.exec("Drop Table TFunc"));
    TfrmEmployeeEdit editor;
    QVERIFY(!editor.ReadyData());
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("读取本地数据发生错误！")});
    QVERIFY(!OpenEmployeeEditor("0001", -1));
}

void TestEmployeeEdit::enterMovesOn()
{
    DmFixture fx;
    addPositions(fx);
    TfrmEmployeeEdit editor;
    editor.DepartCode = "0001";
    QVERIFY(editor.ReadyData());
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QTRY_COMPARE(QApplication::focusWidget(), editor.EditTrueName); // the name box has the focus

    QTest::keyClick(editor.EditTrueName, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), editor.cmbSex);

    // In the remarks a plain Enter is a new line; Ctrl+Enter moves on to the position.
    editor.EditMemo->setFocus();
    QTest::keyClicks(editor.EditMemo, "a");
    QTest::keyClick(editor.EditMemo, Qt::Key_Return);
    QTest::keyClicks(editor.EditMemo, "b");
    QCOMPARE(editor.EditMemo->toPlainText(), QStringLiteral("a\nb"));
    QTest::keyClick(editor.EditMemo, Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), editor.cmbFuncName);
    QVERIFY(editor.Cancelled);
}

QTEST_MAIN(TestEmployeeEdit)
#include "tst_EmployeeEdit.moc"
