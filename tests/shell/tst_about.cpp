// The About box: its controls, Enter and the close button, and the links to the maker's site.

#include "FakeOs.h"

#include "shell/Look.h"
#include "shell/uAbout.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The program's own font, so that the size checks below see what a user sees.
        ApplyLook(*qApp);
    }

    void controls()
    {
        TfrmAbout box;
        box.show();
        QCOMPARE(box.windowTitle(), QStringLiteral("关于.."));
        QCOMPARE(box.size(), QSize(284, 107));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Quoravel V1.0"));
        auto *maker = box.findChild<QLabel *>(QStringLiteral("Label2"));
        QCOMPARE(maker->text(), QStringLiteral("Quoravel 开发组"));
        QCOMPARE(maker->palette().color(QPalette::WindowText), maker->palette().color(QPalette::Link));
        auto *close = box.findChild<QPushButton *>(QStringLiteral("Button1"));
        QCOMPARE(close->text(), QStringLiteral("关闭(&X)"));
        QVERIFY(close->isDefault());
        auto *panel = box.findChild<QFrame *>(QStringLiteral("Panel1"));
        QCOMPARE(panel->size(), QSize(51, 49));
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        auto *image = box.findChild<QLabel *>(QStringLiteral("Image1"));
        QCOMPARE(image->parentWidget(), panel);
        QCOMPARE(image->size(), QSize(32, 32));
        QVERIFY(!image->pixmap().isNull());
        QVERIFY(panel->rect().contains(image->geometry()));

        // Everything inside the box, and no text cut off.
        for (QWidget *w : {static_cast<QWidget *>(panel), static_cast<QWidget *>(box.Label1),
                           static_cast<QWidget *>(maker), static_cast<QWidget *>(close)})
            QVERIFY2(box.rect().contains(w->geometry()), qPrintable(w->objectName()));
        for (QWidget *w : {static_cast<QWidget *>(box.Label1), static_cast<QWidget *>(maker),
                           static_cast<QWidget *>(close)})
            QVERIFY2(w->sizeHint().width() <= w->width() && w->sizeHint().height() <= w->height() + 2,
                     qPrintable(w->objectName()));
    }

    void enterAndTheCloseButtonClose_data()
    {
        QTest::addColumn<bool>("enter");
        QTest::newRow("Enter") << true;
        QTest::newRow("关闭 button") << false;
    }
    void enterAndTheCloseButtonClose()
    {
        QFETCH(bool, enter);
        FakeOs os;
        TfrmAbout box;
        box.show();
        if (enter)
            QTest::keyClick(&box, Qt::Key_Return);
        else
            QTest::mouseClick(box.Button1, Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QVERIFY(os.calls.isEmpty());
    }

    void makerAndIconOpenTheWebSite_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("maker's name") << "Label2";
        QTest::newRow("product icon") << "Image1";
    }
    void makerAndIconOpenTheWebSite()
    {
        QFETCH(QString, control);
        FakeOs os;
        TfrmAbout box;
        box.show();
        QTest::mouseClick(box.findChild<QLabel *>(control), Qt::LeftButton);
        QCOMPARE(os.targets(QStringLiteral("openInBrowser")), QStringList{QStringLiteral("https://quoravel.example.com/")});
        QCOMPARE(os.calls.size(), 1);
        QVERIFY(box.isVisible());
        // A right click is not a click on the link.
        QTest::mouseClick(box.findChild<QLabel *>(control), Qt::RightButton);
        QCOMPARE(os.calls.size(), 1);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
