// The main window's backup, restore, rebuild, help, updater and About entries, driven through
// their menu actions.

#include "DmFixture.h"
#include "FakeOs.h"
#include "RecordingPrompts.h"

#include "mainwindow/uMain.h"
#include "shell/AppPath.h"
#include "shell/uAbout.h"
#include "shell/uReBulid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// An MDI child that notes when it is closed.
class NotingChild : public QWidget {
public:
    explicit NotingChild(std::function<void()> onClose) : m_onClose(std::move(onClose)) {}

protected:
    void closeEvent(QCloseEvent *event) override
    {
        m_onClose();
        QWidget::closeEvent(event);
    }

private:
    std::function<void()> m_onClose;
};

// Runs `act` on the modal dialog that `trigger` opens; a dialog of another kind is closed so
// that the test fails instead of hanging.
template <typename Dialog>
QString driveModal(const std::function<void()> &trigger, const std::function<void(Dialog *)> &act)
{
    QString seen;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<Dialog *>(modal)) {
            seen = dialog->windowTitle();
            act(dialog);
        } else if (modal) {
            modal->close();
        }
    });
    trigger();
    return seen;
}

} // namespace

class TestSystemHelpMenus : public QObject {
    Q_OBJECT

private:
    static QAction *action(TfrmMain &w, const char *name)
    {
        return w.findChild<QAction *>(QString::fromLatin1(name));
    }

private slots:
    void helpAndUpdaterStartFromTheProgramFolder_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("relative");
        QTest::newRow("help page") << QByteArray("N19") << "" << "openInBrowser" << "help/help.htm";
        QTest::newRow("help page, no help folder") << QByteArray("N19") << "no help" << "openInBrowser" << "help/help.htm";
        QTest::newRow("updater present") << QByteArray("N24") << "updater" << "startProgram" << "Upvane";
        QTest::newRow("updater missing") << QByteArray("N24") << "" << "startProgram" << "Upvane";
    }
    void helpAndUpdaterStartFromTheProgramFolder()
    {
        QFETCH(QByteArray, item);
        QFETCH(QString, setup);
        QFETCH(QString, what);
        QFETCH(QString, relative);
        DmFixture fix;
        TfrmMain window;
        QVERIFY(window.FormCreate(fix.folder.path()));
        if (setup == QLatin1String("no help"))
            QVERIFY(QDir(fix.folder.filePath(QStringLiteral("help"))).removeRecursively());
        if (setup == QLatin1String("updater")) {
            QFile updater(fix.folder.filePath(QStringLiteral("Upvane")));
            QVERIFY(updater.open(QIODevice::WriteOnly));
            updater.write("#!/bin/sh\n");
            updater.close();
            QVERIFY(updater.setPermissions(updater.permissions() | QFile::ExeOwner));
        }
        FakeOs os;
        RecordingPrompts prompts;
        action(window, item.constData())->trigger();

        QCOMPARE(os.calls.size(), 1);
        QCOMPARE(os.calls.constFirst().what, what);
        QCOMPARE(os.calls.constFirst().target, fix.folder.path() + relative);
        QVERIFY(os.calls.constFirst().arguments.isEmpty());
        QVERIFY(prompts.shown.isEmpty()); // nothing visible happens, whatever the outcome
        QVERIFY(fix.connection()->connected());
    }

    void aboutIsAFreshBoxEveryTime()
    {
        DmFixture fix;
        TfrmMain window;
        QVERIFY(window.FormCreate(fix.folder.path()));
        QList<QPointer<TfrmAbout>> boxes;
        for (int i = 0; i < 2; ++i) {
            const QString title = driveModal<TfrmAbout>([&] { action(window, "N21")->trigger(); },
                                                        [&](TfrmAbout *box) {
                                                            boxes << box;
                                                            QTest::mouseClick(box->Button1, Qt::LeftButton);
                                                        });
            QCOMPARE(title, QStringLiteral("关于.."));
        }
        QCOMPARE(boxes.size(), 2);
        QVERIFY(boxes.at(0).isNull()); // destroyed when closed
        QVERIFY(boxes.at(1).isNull());
    }

    void backupAndRestoreThroughTheMenu()
    {
        DmFixture fix;
        TfrmMain window;
        QVERIFY(window.FormCreate(fix.folder.path()));
        RecordingPrompts prompts;
        QVERIFY(fix.exec(QStringLiteral("INSERT INTO TFunc (FuncCode, FuncName) VALUES ('JL','经理')")));
        const QString backup = fix.folder.filePath(QStringLiteral("Bak/menu"));
        prompts.fileAnswers.enqueue(backup);
        action(window, "N2")->trigger();
        QCOMPARE(prompts.lastMessage(), QStringLiteral("备份数据成功！"));
        QVERIFY(QFile::exists(backup + QStringLiteral(".CBK")));

        QVERIFY(fix.exec(QStringLiteral("DELETE FROM TFunc")));
        QVERIFY(fix.exec(QStringLiteral("UPDATE TPara SET ClientVer='2030010100'")));
        prompts.fileAnswers.enqueue(backup + QStringLiteral(".CBK"));
        action(window, "R1")->trigger();
        QCOMPARE(prompts.lastMessage(), QStringLiteral("数据库还原成功！"));
        QVERIFY(DM->ADOConnection1->connected());
        QCOMPARE(fix.value(QStringLiteral("SELECT FuncName FROM TFunc WHERE FuncCode='JL'")), QStringLiteral("经理"));
        QCOMPARE(fix.value(QStringLiteral("SELECT ClientVer FROM TPara")), QStringLiteral("2026120100"));
    }

    void rebuildClosesTheOpenChildrenFirst()
    {
        DmFixture fix;
        TfrmMain window;
        QVERIFY(window.FormCreate(fix.folder.path()));
        QVERIFY(fix.exec(QStringLiteral("INSERT INTO TBillDetail (OcrDate, Total) VALUES ('2026-01-05 00:00:00', 10)")));
        QStringList closings; // the records each child still saw when it was closed
        QList<QPointer<QMdiSubWindow>> children;
        for (int i = 0; i < 3; ++i) {
            auto *child = new NotingChild([&, i] {
                closings << QStringLiteral("%1:%2").arg(i).arg(fix.value(QStringLiteral("SELECT count(*) FROM TBillDetail")));
            });
            children << window.addChild(child);
        }
        RecordingPrompts prompts;
        const QString title = driveModal<TfrmReBulid>([&] { action(window, "N23")->trigger(); },
                                                      [](TfrmReBulid *dialog) {
                                                          dialog->cmkYW->setChecked(true);
                                                          QTest::mouseClick(dialog->cmdSH, Qt::LeftButton);
                                                      });
        QCOMPARE(title, QStringLiteral("系统重建"));
        QCOMPARE(prompts.messages(), QStringList{QStringLiteral("系统重建完成！")});
        QCOMPARE(closings, QStringList({QStringLiteral("0:1"), QStringLiteral("1:1"), QStringLiteral("2:1")}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const QPointer<QMdiSubWindow> &child : children)
            QVERIFY(child.isNull());
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(fix.value(QStringLiteral("SELECT count(*) FROM TBillDetail")), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestSystemHelpMenus)
#include "tst_systemhelpmenus.moc"
