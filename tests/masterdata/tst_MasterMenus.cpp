// The main menu's entries for departments/employees and expense categories open their windows
// in maintenance mode on the demonstration company.
#include "DmFixture.h"
#include "ModalDriver.h"
#include "RecordingPrompts.h"

#include "mainwindow/uMain.h"
#include "masterdata/CategoryWindow.h"

#include <QAction>
#include <QTreeWidget>
#include <QtTest>

class TestMasterMenus : public QObject {
    Q_OBJECT
private slots:
    void entries_data();
    void entries();
};

void TestMasterMenus::entries_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("window");
    QTest::newRow("departments and employees") << "N4" << "部门/雇员信息管理(&E)" << "TfrmEmployee";
    QTest::newRow("expense categories") << "N5" << "费用类别管理(&C)" << "TfrmCustDef";
}

void TestMasterMenus::entries()
{
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, window);
    DmFixture fx(TempProgramFolder::WithDemoData);
    RecordingPrompts prompts;
    TfrmMain main;
    auto *item = main.findChild<QAction *>(action);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);

    QString opened;
    int mode = -1;
    int departments = 0;
    bool seen = false;
    WhenModalOpens(
        [&](QDialog *d) {
            opened = QString::fromLatin1(d->metaObject()->className());
            if (auto *w = qobject_cast<CategoryWindow *>(d))
                mode = w->SelectMode;
            departments = d->findChild<QTreeWidget *>("Tree")->topLevelItemCount();
        },
        &seen);
    item->trigger();
    QVERIFY(seen);
    QCOMPARE(opened, window);
    QCOMPARE(mode, 0);
    QVERIFY(departments > 0);
    QVERIFY(prompts.messages().isEmpty());
}

QTEST_MAIN(TestMasterMenus)
#include "tst_MasterMenus.moc"
