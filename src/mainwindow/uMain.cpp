#include "mainwindow/uMain.h"

#include "masterdata/uCustDef.h"
#include "masterdata/uEmployee.h"
#include "masterdata/uFunc.h"
#include "platform/Prompts.h"
#include "platform/ProgramPrinter.h"
#include "platform/db/DbError.h"
#include "shell/AppPath.h"
#include "shell/DatabaseBackup.h"
#include "shell/Look.h"
#include "shell/uAbout.h"
#include "shell/uDM.h"
#include "shell/uPub.h"
#include "shell/uReBulid.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QToolBar>

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quoravel"));
    setWindowIcon(MakeIcon(LookIcon::Product));
    m_mdiArea->setObjectName(QStringLiteral("MDIArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setBackground(QColor(0xDD, 0xE3, 0xEA));
    setCentralWidget(m_mdiArea);
    buildMenus();
    buildToolBar();
}

TfrmMain::~TfrmMain() = default;

namespace {

QAction *addItem(QMenu *menu, const char *objectName, const QString &caption, TfrmMain *receiver,
                 void (TfrmMain::*slot)(), const QKeySequence &shortcut = QKeySequence())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

} // namespace

void TfrmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *system = bar->addMenu(QStringLiteral("系统(&S)"));
    system->setObjectName(QStringLiteral("N1"));
    addItem(system, "N2", QStringLiteral("备份数据库(&B)"), this, &TfrmMain::N2Click);
    addItem(system, "R1", QStringLiteral("还原数据库(&R)"), this, &TfrmMain::R1Click);
    system->addSeparator();
    addItem(system, "N23", QStringLiteral("系统重建"), this, &TfrmMain::N23Click);
    system->addSeparator();
    addItem(system, "N18", QStringLiteral("打印设置"), this, &TfrmMain::N18Click);
    system->addSeparator();
    addItem(system, "X1", QStringLiteral("退出(&X)"), this, &TfrmMain::X1Click);

    QMenu *stats = bar->addMenu(QStringLiteral("费用统计(&C)"));
    stats->setObjectName(QStringLiteral("N8"));
    addItem(stats, "N10", QStringLiteral("费用录入(&R)"), this, &TfrmMain::N10Click);
    stats->addSeparator();
    addItem(stats, "N12", QStringLiteral("费用明细查询(&C)"), this, &TfrmMain::N12Click);
    stats->addSeparator();
    addItem(stats, "N14", QStringLiteral("费用统计"), this, &TfrmMain::N14Click);

    QMenu *basic = bar->addMenu(QStringLiteral("基本信息(&B)"));
    basic->setObjectName(QStringLiteral("N3"));
    addItem(basic, "N6", QStringLiteral("职位信息管理(&P)"), this, &TfrmMain::N6Click);
    basic->addSeparator();
    addItem(basic, "N4", QStringLiteral("部门/雇员信息管理(&E)"), this, &TfrmMain::N4Click);
    addItem(basic, "N5", QStringLiteral("费用类别管理(&C)"), this, &TfrmMain::N5Click);
    basic->addSeparator();
    addItem(basic, "N9", QStringLiteral("职位/公式定义(&F)"), this, &TfrmMain::N9Click);

    m_windowMenu = bar->addMenu(QStringLiteral("窗口(&W)"));
    m_windowMenu->setObjectName(QStringLiteral("N15"));
    addItem(m_windowMenu, "WindowCascade1", QStringLiteral("层叠平铺(&C)"), this, &TfrmMain::cascadeChildren);
    addItem(m_windowMenu, "WindowTileHorizontal1", QStringLiteral("水平排列(&H)"), this, &TfrmMain::tileHorizontally);
    addItem(m_windowMenu, "WindowTileVertical1", QStringLiteral("垂直排列(&V)"), this, &TfrmMain::tileVertically);
    addItem(m_windowMenu, "WindowMinimizeAll1", QStringLiteral("全部最小化(&M)"), this, &TfrmMain::minimizeAll);
    addItem(m_windowMenu, "WindowClose1", QStringLiteral("关闭活动窗口"), this, &TfrmMain::closeActiveChild,
            QKeySequence(Qt::Key_F10));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TfrmMain::fillWindowList);

    QMenu *help = bar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QStringLiteral("N16"));
    addItem(help, "N19", QStringLiteral("使用说明(&H)"), this, &TfrmMain::N19Click);
    addItem(help, "N24", QStringLiteral("在线升级"), this, &TfrmMain::N24Click);
    help->addSeparator();
    addItem(help, "N21", QStringLiteral("关于(&A)..."), this, &TfrmMain::N21Click);
}

void TfrmMain::buildToolBar()
{
    QToolBar *tools = addToolBar(QStringLiteral("ToolBar1"));
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tools->setIconSize(QSize(32, 32));
    auto addButton = [&](const char *name, const QString &caption, LookIcon icon, void (TfrmMain::*slot)()) {
        QAction *action = tools->addAction(MakeIcon(icon), caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        if (QWidget *button = tools->widgetForAction(action))
            button->setObjectName(QString::fromLatin1(name));
    };
    addButton("ToolButton2", QStringLiteral("费用录入"), LookIcon::Entry, &TfrmMain::N10Click);
    addButton("ToolButton4", QStringLiteral("单据查询"), LookIcon::Query, &TfrmMain::N12Click);
    addButton("ToolButton3", QStringLiteral("费用统计"), LookIcon::Statistics, &TfrmMain::N14Click);
    tools->addSeparator()->setObjectName(QStringLiteral("ToolButton1"));
    addButton("tbClose", QStringLiteral("退出"), LookIcon::Exit, &TfrmMain::X1Click);
}

bool TfrmMain::FormCreate(const QString &appPath)
{
    AppPath = appPath.endsWith(u'/') ? appPath : appPath + u'/';
    db::Connection *connection = DM->ADOConnection1;
    connection->close();
    connection->setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + AppPath
                                    + QStringLiteral("DB/Data.MDB;Persist Security Info=False"));
    try {
        connection->open();
    } catch (const db::DbError &) {
        return false;
    }
    return true;
}

QMdiSubWindow *TfrmMain::addChild(QWidget *child)
{
    child->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(child->windowIcon().isNull() ? windowIcon() : child->windowIcon());
    child->show();
    sub->show();
    m_mdiArea->setActiveSubWindow(sub);
    return sub;
}

void TfrmMain::fillWindowList()
{
    for (QAction *a : std::as_const(m_windowListActions)) {
        m_windowMenu->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    m_windowListActions << m_windowMenu->addSeparator();
    int n = 1;
    for (QMdiSubWindow *sub : children) {
        const QString accelerator = n < 10 ? QStringLiteral("&") : QString(); // &1 .. &9
        QAction *action =
            m_windowMenu->addAction(QStringLiteral("%1%2 %3").arg(accelerator).arg(n).arg(sub->windowTitle()));
        action->setCheckable(true);
        action->setChecked(sub == m_mdiArea->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            m_mdiArea->setActiveSubWindow(sub);
        });
        m_windowListActions << action;
        ++n;
    }
}

// ---- System menu ----

void TfrmMain::N2Click()
{
    BackupDatabaseWithDialog(DM->ADOConnection1);
}

void TfrmMain::R1Click()
{
    RestoreDatabaseWithDialog(DM->ADOConnection1);
}

void TfrmMain::N23Click()
{
    OpenReBulidWindow(this, [this] { FormCloseQuery(); });
}

void TfrmMain::N18Click()
{
    QPrintDialog dialog(&ProgramPrinter(), this);
    dialog.setWindowTitle(QStringLiteral("打印设置"));
    dialog.exec();
}

void TfrmMain::X1Click()
{
    close();
}

// ---- Expense statistics menu ----

void TfrmMain::N10Click() {}
void TfrmMain::N12Click() {}
void TfrmMain::N14Click() {}

// ---- Basic information menu ----

void TfrmMain::N6Click()
{
    OpenFuncWindow();
}
void TfrmMain::N4Click()
{
    OpenEmployeeWindow();
}
void TfrmMain::N5Click()
{
    OpenCustDefWindow();
}
void TfrmMain::N9Click() {}

// ---- Window menu ----

void TfrmMain::cascadeChildren()
{
    m_mdiArea->cascadeSubWindows();
}

void TfrmMain::tileHorizontally()
{
    tileChildren(Qt::Vertical); // one above the other, each the full width
}

void TfrmMain::tileVertically()
{
    tileChildren(Qt::Horizontal); // side by side, each the full height
}

void TfrmMain::tileChildren(Qt::Orientation stacking)
{
    QList<QMdiSubWindow *> children;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isMinimized())
            children << sub;
    if (children.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int n = int(children.size());
    for (int i = 0; i < n; ++i) {
        children[i]->showNormal();
        if (stacking == Qt::Vertical)
            children[i]->setGeometry(0, i * (area.height() / n), area.width(), area.height() / n);
        else
            children[i]->setGeometry(i * (area.width() / n), 0, area.width() / n, area.height());
    }
}

void TfrmMain::minimizeAll()
{
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList())
        sub->showMinimized();
}

void TfrmMain::closeActiveChild()
{
    if (QMdiSubWindow *active = m_mdiArea->activeSubWindow())
        active->close();
}

// ---- Help menu ----

void TfrmMain::N19Click()
{
    OpenInBrowser(AppPath + QStringLiteral("help/help.htm"));
}

void TfrmMain::N24Click()
{
    RunProgram(AppPath + QStringLiteral("Upvane"));
}

void TfrmMain::N21Click()
{
    OpenAboutBox(this);
}

// ---- Closing ----

void TfrmMain::FormCloseQuery()
{
    const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *sub : children)
        sub->close();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    FormCloseQuery();
    event->accept();
}

std::unique_ptr<TfrmMain> StartMainWindow(const QString &appPath)
{
    auto window = std::make_unique<TfrmMain>();
    if (!window->FormCreate(appPath)) {
        Prompts::instance().message(QStringLiteral("未能打开数据库文件！"));
        return nullptr;
    }
    return window;
}
