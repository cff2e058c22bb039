#pragma once

#include <QMainWindow>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The main program's frame: an MDI window with the menu and toolbar that open every other
// window, the printer setup, and the shared database connection opened at start.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Sets AppPath to `appPath` (a folder; "/" is appended when missing) and opens the
    // database there. Returns false when it cannot be opened; the caller reports it.
    bool FormCreate(const QString &appPath);

    QMdiArea *mdiArea() const { return m_mdiArea; }
    // Shows `child` as an MDI child that is destroyed when it closes.
    QMdiSubWindow *addChild(QWidget *child);

    QMenu *windowMenu() const { return m_windowMenu; }

public slots:
    // System menu
    void N2Click();  // back up the database
    void R1Click();  // restore the database
    void N23Click(); // system rebuild
    void N18Click(); // printer setup
    void X1Click();  // exit
    // Expense statistics menu
    void N10Click(); // expense entry
    void N12Click(); // expense detail query
    void N14Click(); // expense statistics
    // Basic information menu
    void N6Click(); // positions
    void N4Click(); // departments and employees
    void N5Click(); // expense categories
    void N9Click(); // positions and formulas
    // Window menu
    void cascadeChildren();
    void tileHorizontally();
    void tileVertically();
    void minimizeAll();
    void closeActiveChild();
    // Help menu
    void N19Click(); // help page
    void N24Click(); // online upgrade
    void N21Click(); // about

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Closes every MDI child from the first to the last.
    void FormCloseQuery();
    void buildMenus();
    void buildToolBar();
    void fillWindowList();
    void tileChildren(Qt::Orientation stacking);

    QMdiArea *m_mdiArea;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowListActions;
};

// Start-up: creates the main window on the program folder `appPath` and opens the database.
// When that fails it shows "未能打开数据库文件！" and returns nothing; the program then ends.
std::unique_ptr<TfrmMain> StartMainWindow(const QString &appPath);
