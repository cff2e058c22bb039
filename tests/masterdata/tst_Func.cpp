// The positions window and its editor: the code drawn from the name's pinyin initials, the
// validation order, the two refusals of the database, and the list kept in step.
#include "DmFixture.h"
#include "ModalDriver.h"
#include "RecordingPrompts.h"

#include "mainwindow/uMain.h"
#include "masterdata/uFunc.h"
#include "masterdata/uFuncEdit.h"
#include "platform/db/DataSet.h"
#include "platform/grid/DBGridEh.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

void addPosition(DmFixture &fx, const QString &code, const QString &name)
{
    QVERIFY(fx.exec(QStringLiteral("Insert into TFunc (FuncCode, FuncName) Values('%1','%2')").arg(code, name)));
}

int positionId(DmFixture &fx, const QString &code)
{
    return fx.value(QStringLiteral("Select ID from TFunc Where FuncCode='%1'").arg(code)).toInt();
}

// Shows the editor as the user sees it, with the name box focused.
void showEditor(TfrmFuncEdit &editor)
{
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.EditName->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), editor.EditName);
}

QStringList gridCodes(TfrmFunc &form)
{
    QStringList codes;
    const int column = form.DBGridEh1->columnIndex(QStringLiteral("FuncCode"));
    for (int row = 0; row < form.DBGridEh1->model()->rowCount(); ++row)
        codes << form.DBGridEh1->displayText(row, column);
    return codes;
}

} // namespace

class TestFunc : public QObject {
    Q_OBJECT
private slots:
    void codeFromNameWhenLeavingTheNameBox_data();
    void codeFromNameWhenLeavingTheNameBox();
    void validationOrder_data();
    void validationOrder();
    void addThroughTheWindow();
    void cancelledAddStoresNothing();
    void modifyKeepsTheRecord();
    void codeInUseIsRefusedAndCanBeCorrected();
    void deleteInUseIsRefused_data();
    void deleteInUseIsRefused();
    void deleteUnusedAndAnsweredNo();
    void emptyListModifyAndDeleteDoNothing();
    void listShowsPositionsByCode();
    void loadFailures();
    void mainMenuOpensThePositions();
};

void TestFunc::codeFromNameWhenLeavingTheNameBox_data()
{
    QTest::addColumn<QString>("typedCode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");

    QTest::newRow("sales manager") << "" << "销售经理" << "XSJL";
    QTest::newRow("finance department") << "" << "财务部" << "CWB";
    QTest::newRow("letters and digits copied") << "" << "QA2" << "QA2";
    QTest::newRow("mixed") << "" << "ab张三12" << "abZS12";
    QTest::newRow("typed code kept") << "S01" << "销售经理" << "S01";
}

void TestFunc::codeFromNameWhenLeavingTheNameBox()
{
    QFETCH(QString, typedCode);
    QFETCH(QString, name);
    QFETCH(QString, code);

    DmFixture fx;
    TfrmFuncEdit editor;
    editor.RecordID = -1;
    QVERIFY(editor.ReadyData());
    showEditor(editor);
    editor.EditCode->setText(typedCode);
    // Chinese arrives from the input method as committed text.
    QInputMethodEvent typed;
    typed.setCommitString(name);
    QApplication::sendEvent(editor.EditName, &typed);
    QCOMPARE(editor.EditCode->text(), typedCode); // nothing happens while typing

    // Enter leaves the name box for the code box, as Tab does.
    QTest::keyClick(editor.EditName, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), editor.EditCode);
    QCOMPARE(editor.EditCode->text(), code);
    QCOMPARE(editor.EditName->text(), name);
}

void TestFunc::validationOrder_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("both empty: the code first") << "" << "" << "编号尚未输入！" << "EditCode";
    QTest::newRow("code missing") << "" << "经理" << "编号尚未输入！" << "EditCode";
    QTest::newRow("name missing") << "M1" << "" << "名称尚未输入！" << "EditName";
}

void TestFunc::validationOrder()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    DmFixture fx;
    RecordingPrompts prompts;
    TfrmFuncEdit editor;
    QVERIFY(editor.ReadyData());
    showEditor(editor);
    editor.EditCode->setText(code);
    editor.EditName->setText(name);
    editor.cmdEnsure->click();

    QCOMPARE(prompts.messages(), QStringList{message});
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(editor.Cancelled);
    QVERIFY(editor.isVisible());
    QCOMPARE(fx.value("Select Count(*) from TFunc"), QStringLiteral("0"));
}

void TestFunc::addThroughTheWindow()
{
    DmFixture fx;
    RecordingPrompts prompts;
    addPosition(fx, "01", "总经理");
    TfrmFunc form;
    QVERIFY(form.ReadyData());

    bool seen = false;
    WhenModalOpens(
        [](QDialog *d) {
            auto *editor = qobject_cast<TfrmFuncEdit *>(d);
            QVERIFY(editor);
            QCOMPARE(editor->windowTitle(), QStringLiteral("新增/修改职位信息"));
            editor->EditName->setText(QStringLiteral("销售经理"));
            editor->EditNameExit();
            editor->findChild<QPushButton *>("cmdEnsure")->click();
        },
        &seen);
    form.Button1->click();
    QVERIFY(seen);

    QCOMPARE(fx.value("Select FuncName from TFunc Where FuncCode='XSJL'"), QStringLiteral("销售经理"));
    QCOMPARE(gridCodes(form), (QStringList{"01", "XSJL"}));
    QCOMPARE(form.dsQuery->recNo(), 0); // read anew, on the first row
    QVERIFY(prompts.messages().isEmpty());
}

void TestFunc::cancelledAddStoresNothing()
{
    DmFixture fx;
    RecordingPrompts prompts;
    TfrmFunc form;
    QVERIFY(form.ReadyData());
    bool seen = false;
    WhenModalOpens(
        [](QDialog *d) {
            auto *editor = qobject_cast<TfrmFuncEdit *>(d);
            editor->EditName->setText(QStringLiteral("司机"));
            editor->EditCode->setText(QStringLiteral("SJ"));
            editor->cmdCancel->click();
        },
        &seen);
    form.Button1->click();
    QVERIFY(seen);
    QCOMPARE(fx.value("Select Count(*) from TFunc"), QStringLiteral("0"));
    QCOMPARE(form.DBGridEh1->model()->rowCount(), 0);
}

void TestFunc::modifyKeepsTheRecord()
{
    DmFixture fx;
    RecordingPrompts prompts;
    addPosition(fx, "01", "总经理");
    addPosition(fx, "02", "部门经理");
    TfrmFunc form;
    QVERIFY(form.ReadyData());
    form.dsQuery->setRecNo(1);

    QString shownCode, shownName;
    bool seen = false;
    WhenModalOpens(
        [&](QDialog *d) {
            auto *editor = qobject_cast<TfrmFuncEdit *>(d);
            shownCode = editor->EditCode->text();
            shownName = editor->EditName->text();
            editor->EditName->setText(QStringLiteral("区域经理"));
            editor->EditNameExit(); // the code is filled, so it stays
            editor->cmdEnsure->click();
        },
        &seen);
    form.DBGridEh1DblClick();
    QVERIFY(seen);
    QCOMPARE(shownCode, QStringLiteral("02"));
    QCOMPARE(shownName, QStringLiteral("部门经理"));
    QCOMPARE(fx.value("Select Count(*) from TFunc"), QStringLiteral("2"));
    QCOMPARE(fx.value("Select FuncName from TFunc Where FuncCode='02'"), QStringLiteral("区域经理"));
    QCOMPARE(form.DBGridEh1->displayText(1, 2), QStringLiteral("区域经理"));
}

void TestFunc::codeInUseIsRefusedAndCanBeCorrected()
{
    DmFixture fx;
    RecordingPrompts prompts;
    addPosition(fx, "01", "总经理");
    TfrmFuncEdit editor;
    QVERIFY(editor.ReadyData());
    editor.show();
    editor.EditCode->setText(QStringLiteral("01"));
    editor.EditName->setText(QStringLiteral("副总经理"));
    editor.cmdEnsureClick();

    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("存储数据发生错误，可能您输入的编号已经被使用!")});
    QVERIFY(editor.isVisible());
    QVERIFY(editor.Cancelled);
    QCOMPARE(editor.EditCode->text(), QStringLiteral("01"));
    QCOMPARE(fx.value("Select Count(*) from TFunc"), QStringLiteral("1"));

    // The user corrects the code; the same new record is stored once.
    editor.EditCode->setText(QStringLiteral("01A"));
    editor.cmdEnsureClick();
    QCOMPARE(prompts.messages().size(), 1);
    QVERIFY(!editor.Cancelled);
    QVERIFY(!editor.isVisible());
    QCOMPARE(fx.value("Select Count(*) from TFunc"), QStringLiteral("2"));
    QCOMPARE(fx.value("Select FuncName from TFunc Where FuncCode='01A'"), QStringLiteral("副总经理"));

    // Changing an existing position to a code in use is refused the same way.
    TfrmFuncEdit other;
    other.RecordID = positionId(fx, "01A");
    QVERIFY(other.ReadyData());
    other.EditCode->setText(QStringLiteral("01"));
    QVERIFY(!other.SaveData());
    QCOMPARE(prompts.lastMessage(), QStringLiteral("存储数据发生错误，可能您输入的编号已经被使用!"));
    QCOMPARE(fx.value("Select FuncCode from TFunc Where FuncName='副总经理'"), QStringLiteral("01A"));
}

void TestFunc::deleteInUseIsRefused_data()
{
    QTest::addColumn<QString>("user");
    QTest::newRow("an employee holds it")
        << "Insert into TEmployee (Code, UserName, TypeCode, FuncCode) Values('00010001','王建国','0001','02')";
    QTest::newRow("a formula is written for it")
        << "Insert into TFormula (FuncCode, CustTypeCode, Formula) Values('02','0001','1')";
}

void TestFunc::deleteInUseIsRefused()
{
    QFETCH(QString, user);
    DmFixture fx;
    RecordingPrompts prompts;
    addPosition(fx, "01", "总经理");
    addPosition(fx, "02", "部门经理");
    QVERIFY(fx.exec(user));
    TfrmFunc form;
    QVERIFY(form.ReadyData());
    form.dsQuery->setRecNo(1);

    form.Button3->click();
    QCOMPARE(prompts.texts("confirm"), QStringList{QStringLiteral("您确认删除选定的职位记录吗？")});
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("指定职位信息可能已经被使用，不能删除！")});
    QCOMPARE(gridCodes(form), (QStringList{"01", "02"}));
    QCOMPARE(form.DBGridEh1->currentRow(), 1);
    QCOMPARE(fx.value("Select Count(*) from TFunc"), QStringLiteral("2"));
}

void TestFunc::deleteUnusedAndAnsweredNo()
{
    DmFixture fx;
    RecordingPrompts prompts;
    addPosition(fx, "01", "总经理");
    addPosition(fx, "02", "部门经理");
    addPosition(fx, "03", "文员");
    TfrmFunc form;
    QVERIFY(form.ReadyData());
    form.dsQuery->setRecNo(1);

    prompts.confirmAnswers.enqueue(false);
    form.Button3->click();
    QCOMPARE(fx.value("Select Count(*) from TFunc"), QStringLiteral("3"));
    QCOMPARE(gridCodes(form).size(), 3);

    form.Button3->click();
    QVERIFY(prompts.messages().isEmpty());
    QCOMPARE(fx.value("Select Count(*) from TFunc Where FuncCode='02'"), QStringLiteral("0"));
    QCOMPARE(gridCodes(form), (QStringList{"01", "03"}));
    QCOMPARE(form.DBGridEh1->currentRow(), 1);
    QCOMPARE(form.dsQuery->fieldByName("FuncCode").asString(), QStringLiteral("03"));
}

void TestFunc::emptyListModifyAndDeleteDoNothing()
{
    DmFixture fx;
    RecordingPrompts prompts;
    TfrmFunc form;
    QVERIFY(form.ReadyData());
    bool seen = true;
    WhenModalOpens([](QDialog *) {}, &seen);
    form.Button2->click();
    form.Button3->click();
    form.DBGridEh1DblClick();
    QCoreApplication::processEvents();
    QVERIFY(!seen);
    QVERIFY(prompts.shown.isEmpty());
}

void TestFunc::listShowsPositionsByCode()
{
    DmFixture fx(TempProgramFolder::WithDemoData);
    addPosition(fx, "00", "董事长");
    TfrmFunc form;
    QVERIFY(form.ReadyData());
    QCOMPARE(form.windowTitle(), QStringLiteral("职位信息管理"));
    const QStringList codes = gridCodes(form);
    QCOMPARE(codes.first(), QStringLiteral("00"));
    QStringList sorted = codes;
    sorted.sort();
    QCOMPARE(codes, sorted);

    DBGridEh *grid = form.DBGridEh1;
    QVERIFY(grid->isColumnHidden(grid->columnIndex("ID")));
    QCOMPARE(grid->model()->headerData(grid->columnIndex("FuncCode"), Qt::Horizontal).toString(), QStringLiteral("职位编码"));
    QCOMPARE(grid->model()->headerData(grid->columnIndex("FuncName"), Qt::Horizontal).toString(), QStringLiteral("职位名称"));
    QCOMPARE(grid->displayText(0, grid->columnIndex("FuncName")), QStringLiteral("董事长"));
    for (const char *name : {"Button1", "Button2", "Button3", "Button4"})
        QVERIFY(form.findChild<QPushButton *>(name));
    QCOMPARE(form.Button1->text(), QStringLiteral("增加(&A)"));
    QCOMPARE(form.Button4->text(), QStringLiteral("关闭(&X)"));
}

void TestFunc::loadFailures()
{
    DmFixture fx;
    RecordingPrompts prompts;
    QVERIFY(fx.exec("Drop Table TFunc"));

    TfrmFunc form;
    QVERIFY(!form.ReadyData());
    QVERIFY(!OpenFuncWindow());
    QVERIFY(prompts.shown.isEmpty()); // the list fails silently

    TfrmFuncEdit editor;
    QVERIFY(!editor.ReadyData());
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("读取本地数据文件发生错误！")});
    QVERIFY(!OpenFuncEditor(-1));
}

void TestFunc::mainMenuOpensThePositions()
{
    DmFixture fx(TempProgramFolder::WithDemoData);
    RecordingPrompts prompts;
    TfrmMain main;
    auto *item = main.findChild<QAction *>("N6");
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("职位信息管理(&P)"));

    int rows = 0;
    bool seen = false;
    WhenModalOpens(
        [&](QDialog *d) {
            auto *form = qobject_cast<TfrmFunc *>(d);
            QVERIFY(form);
            rows = form->DBGridEh1->model()->rowCount();
            form->Button4->click();
        },
        &seen);
    item->trigger();
    QVERIFY(seen);
    QCOMPARE(rows, fx.value("Select Count(*) from TFunc").toInt());
    QVERIFY(rows > 0);
}

QTEST_MAIN(TestFunc)
#include "tst_Func.moc"
