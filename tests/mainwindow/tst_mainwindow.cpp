// The main window: start-up against good and bad database files, the menus and toolbar in
// order, the window menu, F10, and closing with children open.
#include "DmFixture.h"
#include "RecordingPrompts.h"
#include "mainwindow/uMain.h"
#include "shell/AppPath.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>
#include <QtTest>

namespace {

QStringList captions(const QList<QAction *> &actions)
{
    QStringList result;
    for (QAction *a : actions)
        result << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return result;
}

QMenu *menuNamed(TfrmMain &w, const QString &title)
{
    for (QAction *a : w.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startFailsOnABadDatabase_data();
    void startFailsOnABadDatabase();
    void startOpensTheDatabaseOfTheProgramFolder();
    void menusInOrder();
    void toolBarInOrder();
    void windowMenuListsTheChildren();
    void f10ClosesTheActiveChildOnly();
    void closingClosesEveryChildFirst();
    void tilesAndMinimizes();
};

void TestMainWindow::startFailsOnABadDatabase_data()
{
    QTest::addColumn<QByteArray>("content"); // what stands at DB/Data.MDB; "missing" for nothing
    QTest::newRow("missing") << QByteArray("missing");
    QTest::newRow("not a database") << QByteArray("This is a text file, not a database.\n");
    QTest::newRow("empty file") << QByteArray();
}

void TestMainWindow::startFailsOnABadDatabase()
{
    QFETCH(QByteArray, content);
    TempProgramFolder folder;
    QVERIFY(QFile::remove(folder.databasePath()));
    if (content != "missing") {
        QFile f(folder.databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    TDM dm;
    RecordingPrompts prompts;
    std::unique_ptr<TfrmMain> window = StartMainWindow(folder.path());
    QVERIFY(!window);
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("未能打开数据库文件！")});
    QVERIFY(!dm.ADOConnection1->connected());
    if (content == "missing")
        QVERIFY(!QFile::exists(folder.databasePath())); // nothing was created in its place
}

void TestMainWindow::startOpensTheDatabaseOfTheProgramFolder()
{
    TempProgramFolder folder(TempProgramFolder::WithDemoData);
    TDM dm;
    RecordingPrompts prompts;
    const QString withoutSlash = folder.path().chopped(1);
    std::unique_ptr<TfrmMain> window = StartMainWindow(withoutSlash);
    QVERIFY(window);
    QVERIFY(prompts.shown.isEmpty());
    QCOMPARE(AppPath, folder.path());
    QVERIFY(dm.ADOConnection1->connected());
    QCOMPARE(dm.ADOConnection1->databasePath(), folder.databasePath());
    QVERIFY(dm.GetDataBySQL(QStringLiteral("Select Count(*) from TBillDetail")).toInt() > 100);
    QCOMPARE(window->windowTitle(), QStringLiteral("Quoravel"));
}

void TestMainWindow::menusInOrder()
{
    DmFixture f;
    TfrmMain w;
    QCOMPARE(captions(w.menuBar()->actions()),
             QStringList({"系统(&S)", "费用统计(&C)", "基本信息(&B)", "窗口(&W)", "帮助(&H)"}));
    QCOMPARE(captions(menuNamed(w, QStringLiteral("系统(&S)"))->actions()),
             QStringList({"备份数据库(&B)", "还原数据库(&R)", "-", "系统重建", "-", "打印设置", "-", "退出(&X)"}));
    QCOMPARE(captions(menuNamed(w, QStringLiteral("费用统计(&C)"))->actions()),
             QStringList({"费用录入(&R)", "-", "费用明细查询(&C)", "-", "费用统计"}));
    QCOMPARE(captions(menuNamed(w, QStringLiteral("基本信息(&B)"))->actions()),
             QStringList({"职位信息管理(&P)", "-", "部门/雇员信息管理(&E)", "费用类别管理(&C)", "-", "职位/公式定义(&F)"}));
    QCOMPARE(captions(menuNamed(w, QStringLiteral("窗口(&W)"))->actions()),
             QStringList({"层叠平铺(&C)", "水平排列(&H)", "垂直排列(&V)", "全部最小化(&M)", "关闭活动窗口"}));
    QCOMPARE(captions(menuNamed(w, QStringLiteral("帮助(&H)"))->actions()),
             QStringList({"使用说明(&H)", "在线升级", "-", "关于(&A)..."}));
    auto *close = w.findChild<QAction *>(QStringLiteral("WindowClose1"));
    QVERIFY(close);
    QCOMPARE(close->shortcut(), QKeySequence(Qt::Key_F10));
}

void TestMainWindow::toolBarInOrder()
{
    DmFixture f;
    TfrmMain w;
    auto *bar = w.findChild<QToolBar *>(QStringLiteral("ToolBar1"));
    QVERIFY(bar);
    QCOMPARE(captions(bar->actions()), QStringList({"费用录入", "单据查询", "费用统计", "-", "退出"}));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    for (QAction *a : bar->actions())
        QVERIFY(a->isSeparator() || !a->icon().isNull());
}

void TestMainWindow::windowMenuListsTheChildren()
{
    DmFixture f;
    TfrmMain w;
    w.show();
    auto *first = new QWidget;
    first->setWindowTitle(QStringLiteral("费用明细查询"));
    auto *second = new QWidget;
    second->setWindowTitle(QStringLiteral("费用明细查询"));
    w.addChild(first);
    QMdiSubWindow *secondSub = w.addChild(second);
    QMenu *menu = w.windowMenu();
    emit menu->aboutToShow();
    const QStringList listed = captions(menu->actions());
    QCOMPARE(listed.mid(5), QStringList({"-", "&1 费用明细查询", "&2 费用明细查询"}));
    QVERIFY(menu->actions().last()->isChecked()); // the active child is marked
    // Choosing an entry activates that child.
    menu->actions().at(6)->trigger();
    QVERIFY(w.mdiArea()->activeSubWindow() != secondSub);
    // The list is rebuilt, not appended to, each time the menu opens.
    emit menu->aboutToShow();
    QCOMPARE(captions(menu->actions()).size(), listed.size());
}

void TestMainWindow::f10ClosesTheActiveChildOnly()
{
    DmFixture f;
    TfrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *close = w.findChild<QAction *>(QStringLiteral("WindowClose1"));
    close->trigger(); // nothing open: nothing happens
    QCOMPARE(w.mdiArea()->subWindowList().size(), 0);

    QPointer<QWidget> a = new QWidget, b = new QWidget;
    w.addChild(a);
    w.addChild(b);
    QTest::keyClick(&w, Qt::Key_F10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w.mdiArea()->subWindowList().size(), 1);
    QVERIFY(a);
    QVERIFY(!b); // the active (last opened) child is gone
}

void TestMainWindow::closingClosesEveryChildFirst()
{
    DmFixture f;
    auto w = std::make_unique<TfrmMain>();
    w->show();
    QList<QPointer<QWidget>> children;
    for (int i = 0; i < 3; ++i) {
        children << new QWidget;
        w->addChild(children.last());
    }
    w->findChild<QAction *>(QStringLiteral("X1"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w->isVisible());
    QCOMPARE(w->mdiArea()->subWindowList().size(), 0);
    for (const auto &c : children)
        QVERIFY(!c);
}

void TestMainWindow::tilesAndMinimizes()
{
    DmFixture f;
    TfrmMain w;
    w.resize(900, 700);
    w.show();
    QList<QMdiSubWindow *> subs;
    for (int i = 0; i < 3; ++i)
        subs << w.addChild(new QWidget);
    const QRect area = w.mdiArea()->viewport()->rect();

    w.findChild<QAction *>(QStringLiteral("WindowTileHorizontal1"))->trigger();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(subs[i]->geometry().width(), area.width());
        QCOMPARE(subs[i]->geometry().top(), i * (area.height() / 3));
    }
    w.findChild<QAction *>(QStringLiteral("WindowTileVertical1"))->trigger();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(subs[i]->geometry().height(), area.height());
        QCOMPARE(subs[i]->geometry().left(), i * (area.width() / 3));
    }
    w.findChild<QAction *>(QStringLiteral("WindowMinimizeAll1"))->trigger();
    for (QMdiSubWindow *sub : subs)
        QVERIFY(sub->isMinimized());
    w.findChild<QAction *>(QStringLiteral("WindowCascade1"))->trigger();
    QVERIFY(subs[1]->geometry().topLeft() != subs[0]->geometry().topLeft());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
