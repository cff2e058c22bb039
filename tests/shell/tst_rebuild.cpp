// System rebuild: the dialog, the coupled check boxes, what each choice clears, and a failing
// statement that must leave every row in place.

#include "DmFixture.h"
#include "RecordingPrompts.h"

#include "shell/uReBulid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The six tables a rebuild may clear, and the three it never touches.
const QStringList kCleared = {QStringLiteral("TFormula"), QStringLiteral("TCustClass"), QStringLiteral("TEmployee"),
                              QStringLiteral("TEmpClass"), QStringLiteral("TFunc"),     QStringLiteral("TBillDetail")};
const QStringList kKept = {QStringLiteral("TPara"), QStringLiteral("TClientClass"), QStringLiteral("TProviderClass")};

const QString kFailurePrefix = QStringLiteral("系统重建失败，没有清除任何数据。");

bool seed(DmFixture &fix)
{
    return fix.exec(QStringLiteral("INSERT INTO TEmpClass (TypeCode, TypeName, ParTypeCode, nLeveal) VALUES ('0001','行政部','',1)"))
        && fix.exec(QStringLiteral("INSERT INTO TFunc (FuncCode, FuncName) VALUES ('JL','经理')"))
        && fix.exec(QStringLiteral("INSERT INTO TEmployee (Code, UserName, TypeCode, FuncCode) VALUES ('00010001','张三','0001','JL')"))
        && fix.exec(QStringLiteral("INSERT INTO TCustClass (TypeCode, TypeName, ParTypeCode, nLeveal) VALUES ('0001','差旅费','',1)"))
        && fix.exec(QStringLiteral("INSERT INTO TClientClass (TypeCode, TypeName) VALUES ('0001','客户甲')"))
        && fix.exec(QStringLiteral("INSERT INTO TProviderClass (TypeCode, TypeName) VALUES ('0001','供应商甲')"))
        && fix.exec(QStringLiteral("INSERT INTO TFormula (FuncCode, CustTypeCode, Formula) VALUES ('JL','0001','1+1')"))
        && fix.exec(QStringLiteral("INSERT INTO TBillDetail (OcrDate, DepartCode, CustCode, Total) VALUES ('2026-01-05 00:00:00','0001','0001',120.5)"))
        && fix.exec(QStringLiteral("INSERT INTO TBillDetail (OcrDate, DepartCode, CustCode, Total) VALUES ('2026-01-06 00:00:00','0001','0001',80)"));
}

QMap<QString, int> counts(DmFixture &fix)
{
    QMap<QString, int> result;
    for (const QString &table : kCleared + kKept)
        result[table] = fix.value(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt();
    return result;
}

} // namespace

class TestReBulid : public QObject {
    Q_OBJECT

private slots:
    void controlsAndStatementList()
    {
        DmFixture fix;
        TfrmReBulid dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("系统重建"));
        QCOMPARE(dialog.findChild<QGroupBox *>(QStringLiteral("GroupBox1"))->title(), QStringLiteral("警告！！！"));
        auto *warning = dialog.findChild<QPlainTextEdit *>(QStringLiteral("EditWarm"));
        QVERIFY(warning->isReadOnly());
        QCOMPARE(warning->toPlainText().split(u'\n'),
                 QStringList({QStringLiteral("    系统重建将会将系统中所有信息清除，本功能仅用"),
                              QStringLiteral("于对期初测试、熟悉系统所产生的测试数据的清除。"),
                              QStringLiteral("    在执行本功能之前，建议首先在服务端备份数据库"),
                              QStringLiteral("。若由于没有备份数据而造成损失，开发商概不负责。")}));
        auto *yw = dialog.findChild<QCheckBox *>(QStringLiteral("cmkYW"));
        auto *jb = dialog.findChild<QCheckBox *>(QStringLiteral("chkJB"));
        QCOMPARE(yw->text(), QStringLiteral("清除业务数据"));
        QCOMPARE(jb->text(), QStringLiteral("清除基本信息"));
        QVERIFY(!yw->isChecked());
        QVERIFY(!jb->isChecked());
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdSH"))->text(), QStringLiteral("系统重建"));
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->text(), QStringLiteral("取消(&X)"));

        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("ListSQL"));
        QStringList statements;
        for (int i = 0; i < list->count(); ++i)
            statements << list->item(i)->text();
        QCOMPARE(statements, QStringList({QStringLiteral("B_Delete from TFormula"), QStringLiteral("B_Delete from TCustClass"),
                                          QStringLiteral("B_Delete from TEmployee"), QStringLiteral("B_Delete from TEmpClass"),
                                          QStringLiteral("B_Delete from TFunc"), QStringLiteral("Delete from TBillDetail")}));
        dialog.show();
        QVERIFY(!list->isVisible());
        // The warning text is shown whole: no line wider than its box, no line below it.
        const QFontMetrics metrics(warning->font());
        for (const QString &line : warning->toPlainText().split(u'\n'))
            QVERIFY2(metrics.horizontalAdvance(line) < warning->viewport()->width(), qPrintable(line));
        QVERIFY(4 * metrics.lineSpacing() <= warning->viewport()->height());
        // A fixed-size dialog.
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    }

    void checkBoxesAreCoupled_data()
    {
        QTest::addColumn<QString>("clicks"); // Y = click 清除业务数据, J = click 清除基本信息
        QTest::addColumn<bool>("business");
        QTest::addColumn<bool>("basic");
        QTest::newRow("basic checks business too") << "J" << true << true;
        QTest::newRow("business alone") << "Y" << true << false;
        QTest::newRow("unchecking business unchecks basic") << "JY" << false << false;
        QTest::newRow("unchecking basic keeps business") << "JJ" << true << false;
        QTest::newRow("business, then basic") << "YJ" << true << true;
    }
    void checkBoxesAreCoupled()
    {
        QFETCH(QString, clicks);
        QFETCH(bool, business);
        QFETCH(bool, basic);
        DmFixture fix;
        TfrmReBulid dialog;
        dialog.show();
        for (QChar c : clicks)
            QTest::mouseClick(c == u'Y' ? dialog.cmkYW : dialog.chkJB, Qt::LeftButton);
        QCOMPARE(dialog.cmkYW->isChecked(), business);
        QCOMPARE(dialog.chkJB->isChecked(), basic);
    }

    void rebuildClearsWhatWasChosen_data()
    {
        QTest::addColumn<bool>("business");
        QTest::addColumn<bool>("basic");
        QTest::addColumn<QStringList>("emptied");
        QTest::addColumn<QString>("message");
        QTest::newRow("business data only") << true << false << QStringList{QStringLiteral("TBillDetail")}
                                            << QStringLiteral("系统重建完成！");
        QTest::newRow("basic information as well") << true << true << kCleared << QStringLiteral("系统重建完成！");
        QTest::newRow("nothing chosen") << false << false << QStringList() << QStringLiteral("至少需要选择一项清除项目！");
    }
    void rebuildClearsWhatWasChosen()
    {
        QFETCH(bool, business);
        QFETCH(bool, basic);
        QFETCH(QStringList, emptied);
        QFETCH(QString, message);
        DmFixture fix;
        QVERIFY(seed(fix));
        const QMap<QString, int> before = counts(fix);
        RecordingPrompts prompts;
        TfrmReBulid dialog;
        int closed = 0;
        dialog.setCloseChildren([&] { ++closed; });
        dialog.show();
        dialog.cmkYW->setChecked(business);
        dialog.chkJB->setChecked(basic);
        QTest::mouseClick(dialog.cmdSH, Qt::LeftButton);

        QCOMPARE(prompts.messages(), QStringList{message});
        const bool ran = !emptied.isEmpty();
        QCOMPARE(prompts.texts(QStringLiteral("confirm")).size(), ran ? 1 : 0);
        if (ran)
            QCOMPARE(prompts.texts(QStringLiteral("confirm")).constFirst(),
                     QStringLiteral("系统重建将清除所有数据，请确认您已经备份了数据库，是否继续？"));
        QCOMPARE(closed, ran ? 1 : 0);
        QCOMPARE(dialog.isVisible(), !ran);
        if (ran)
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QMap<QString, int> after = counts(fix);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(after.value(it.key()), emptied.contains(it.key()) ? 0 : it.value());
    }

    void answeringNoChangesNothing()
    {
        DmFixture fix;
        QVERIFY(seed(fix));
        const QMap<QString, int> before = counts(fix);
        RecordingPrompts prompts;
        prompts.confirmAnswers.enqueue(false);
        TfrmReBulid dialog;
        int closed = 0;
        dialog.setCloseChildren([&] { ++closed; });
        dialog.show();
        dialog.chkJB->setChecked(true);
        QTest::mouseClick(dialog.cmdSH, Qt::LeftButton);
        QCOMPARE(prompts.texts(QStringLiteral("confirm")).size(), 1);
        QVERIFY(prompts.messages().isEmpty());
        QCOMPARE(closed, 0);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.cmkYW->isChecked());
        QVERIFY(dialog.chkJB->isChecked());
        QCOMPARE(counts(fix), before);
    }

    void childrenAreClosedBeforeAnythingIsDeleted()
    {
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        TfrmReBulid dialog;
        QString billsWhenClosed;
        dialog.setCloseChildren([&] { billsWhenClosed = fix.value(QStringLiteral("SELECT count(*) FROM TBillDetail")); });
        dialog.cmkYW->setChecked(true);
        dialog.cmdSHClick();
        QCOMPARE(billsWhenClosed, QStringLiteral("2"));
        QCOMPARE(fix.value(QStringLiteral("SELECT count(*) FROM TBillDetail")), QStringLiteral("0"));
    }

    void aFailingStatementRollsEverythingBack_data()
    {
        QTest::addColumn<QString>("failingTable");
        QTest::addColumn<bool>("basic");
        QTest::newRow("first statement fails") << "TFormula" << true;
        QTest::newRow("a statement in the middle fails") << "TEmpClass" << true;
        QTest::newRow("last statement fails after five deletions") << "TBillDetail" << true;
        QTest::newRow("business data only, its statement fails") << "TBillDetail" << false;
    }
    void aFailingStatementRollsEverythingBack()
    {
        QFETCH(QString, failingTable);
        QFETCH(bool, basic);
        DmFixture fix;
        QVERIFY(seed(fix));
        QVERIFY(fix.exec(QStringLiteral("CREATE TRIGGER trRefuse BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, 'rows are protected'); END")
                             .arg(failingTable)));
        const QMap<QString, int> before = counts(fix);
        RecordingPrompts prompts;
        TfrmReBulid dialog;
        dialog.show();
        dialog.cmkYW->setChecked(true);
        dialog.chkJB->setChecked(basic);
        QTest::mouseClick(dialog.cmdSH, Qt::LeftButton);

        QCOMPARE(prompts.messages().size(), 1);
        const QString message = prompts.lastMessage();
        QVERIFY2(message.startsWith(kFailurePrefix), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("Delete from ") + failingTable), qPrintable(message));
        QVERIFY2(message.contains(QLatin1String("rows are protected")), qPrintable(message));
        QVERIFY(!message.contains(QStringLiteral("系统重建完成！")));
        QVERIFY(dialog.isVisible());
        QCOMPARE(counts(fix), before);
        QVERIFY(!fix.connection()->inTransaction());
        // The connection is usable and a second attempt, once the cause is gone, succeeds.
        QVERIFY(fix.exec(QStringLiteral("DROP TRIGGER trRefuse")));
        prompts.clear();
        QTest::mouseClick(dialog.cmdSH, Qt::LeftButton);
        QCOMPARE(prompts.messages(), QStringList{QStringLiteral("系统重建完成！")});
        QCOMPARE(fix.value(QStringLiteral("SELECT count(*) FROM TBillDetail")), QStringLiteral("0"));
    }

    void closedConnectionIsReportedNotCrashed()
    {
        DmFixture fix;
        QVERIFY(seed(fix));
        fix.connection()->close();
        RecordingPrompts prompts;
        TfrmReBulid dialog;
        dialog.show();
        dialog.chkJB->setChecked(true);
        QTest::mouseClick(dialog.cmdSH, Qt::LeftButton);
        QVERIFY(prompts.lastMessage().startsWith(kFailurePrefix));
        QVERIFY(dialog.isVisible());
    }

    void cancelAndEscapeClose_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("取消 button") << false;
        QTest::newRow("Esc key") << true;
    }
    void cancelAndEscapeClose()
    {
        QFETCH(bool, escape);
        DmFixture fix;
        QVERIFY(seed(fix));
        const QMap<QString, int> before = counts(fix);
        RecordingPrompts prompts;
        TfrmReBulid dialog;
        dialog.show();
        dialog.chkJB->setChecked(true);
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(counts(fix), before);
    }
};

QTEST_MAIN(TestReBulid)
#include "tst_rebuild.moc"
