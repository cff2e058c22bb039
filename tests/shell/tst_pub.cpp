// The shared routines of the windows: code padding, amount-box cleaning, list and tree
// look-ups, file copy, program and browser start, and Enter as a move to the next control.
#include "FakeOs.h"
#include "shell/uPub.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

// The string grid of the statistics window; Enter there must do nothing.
class TStringAlignGrid : public QTableView {
    Q_OBJECT
};

class TestPub : public QObject {
    Q_OBJECT

private slots:
    void padZeros_data();
    void padZeros();
    void cleanNumberText_data();
    void cleanNumberText();
    void indexOfText_data();
    void indexOfText();
    void treeNodePath();
    void copyFileTo();
    void copyFileToRaises_data();
    void copyFileToRaises();
    void runProgramAndBrowserReachTheOs();
    void enterMovesToTheNextControl_data();
    void enterMovesToTheNextControl();
    void installedFilterKeepsDefaultButtonUnpressed();
};

void TestPub::padZeros_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("padded");
    QTest::newRow("short") << "7" << 4 << "0007";
    QTest::newRow("exact") << "0012" << 4 << "0012";
    QTest::newRow("longer is never cut") << "12345" << 4 << "12345";
    QTest::newRow("empty") << "" << 4 << "0000";
    QTest::newRow("zero width") << "5" << 0 << "5";
}

void TestPub::padZeros()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, padded);
    QCOMPARE(PadZeros(text, width), padded);
}

void TestPub::cleanNumberText_data()
{
    QTest::addColumn<QString>("masked");
    QTest::addColumn<QString>("clean");
    QTest::newRow("leading spaces") << "  12.50" << "12.50";
    QTest::newRow("blank field") << "      .  " << "0.0";
    QTest::newRow("blank with a zero") << "      .0" << "0.0";
    QTest::newRow("point only") << "." << "0.0";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("inner spaces") << "1 234 .5 " << "1234.5";
    QTest::newRow("other characters stay") << " 12a.00" << "12a.00";
    QTest::newRow(".00 is kept for the caller") << "      .00" << ".00";
}

void TestPub::cleanNumberText()
{
    QFETCH(QString, masked);
    QFETCH(QString, clean);
    QCOMPARE(CleanNumberText(masked), clean);
}

void TestPub::indexOfText_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    const QStringList codes{"01", "0101", "02"};
    QTest::newRow("first") << codes << "01" << 0;
    QTest::newRow("longer code") << codes << "0101" << 1;
    QTest::newRow("prefix is no match") << codes << "010" << -1;
    QTest::newRow("absent") << codes << "03" << -1;
    QTest::newRow("case-sensitive") << QStringList{"ab", "AB"} << "AB" << 1;
    QTest::newRow("empty list") << QStringList{} << "01" << -1;
}

void TestPub::indexOfText()
{
    QFETCH(QStringList, list);
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(IndexOfText(list, text), index);
}

void TestPub::treeNodePath()
{
    QTreeWidget tree;
    auto *root = new QTreeWidgetItem(&tree, QStringList{QStringLiteral("行政部")});
    auto *child = new QTreeWidgetItem(root, QStringList{QStringLiteral("车辆")});
    auto *grandChild = new QTreeWidgetItem(child, QStringList{QStringLiteral("油费")});
    QCOMPARE(TreeNodePath(nullptr), QString());
    QCOMPARE(TreeNodePath(root), QStringLiteral("行政部\\"));
    QCOMPARE(TreeNodePath(child), QStringLiteral("行政部\\车辆\\"));
    QCOMPARE(TreeNodePath(grandChild), QStringLiteral("行政部\\车辆\\油费\\"));
}

void TestPub::copyFileTo()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("a.bin"));
    const QString target = dir.filePath(QStringLiteral("b.CBK"));
    QByteArray content(300 * 1024 + 17, '\0');
    for (int i = 0; i < content.size(); ++i)
        content[i] = char(i * 31);
    QFile f(source);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(1024 * 1024, 'x')); // a longer file of the same name is replaced whole
    old.close();
    CopyFileTo(source, target);
    QFile copy(target);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), content);
}

void TestPub::copyFileToRaises_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::newRow("missing source") << "missing.bin" << "out.bin";
    QTest::newRow("target folder missing") << "present.bin" << "no/such/folder/out.bin";
    QTest::newRow("target is a folder") << "present.bin" << "folder";
}

void TestPub::copyFileToRaises()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QTemporaryDir dir;
    QFile present(dir.filePath(QStringLiteral("present.bin")));
    QVERIFY(present.open(QIODevice::WriteOnly));
    present.write("data");
    present.close();
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    QVERIFY_THROWS_EXCEPTION(FileError, CopyFileTo(dir.filePath(source), dir.filePath(target)));
}

void TestPub::runProgramAndBrowserReachTheOs()
{
    FakeOs os;
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("report.xlsx"));
    QFile f(document);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    RunProgram(dir.filePath(QStringLiteral("Upvane")));
    RunProgram(dir.filePath(QStringLiteral("tool")), QStringLiteral("-a \"two words\""));
    RunProgram(document);
    OpenInBrowser(QStringLiteral("/opt/app/help/help.htm"));

    QCOMPARE(os.calls.size(), 4);
    QCOMPARE(os.calls.at(0).what, QStringLiteral("startProgram"));
    QCOMPARE(os.calls.at(0).target, dir.filePath(QStringLiteral("Upvane")));
    QVERIFY(os.calls.at(0).arguments.isEmpty());
    QCOMPARE(os.calls.at(1).arguments, QStringList({"-a", "two words"}));
    QCOMPARE(os.calls.at(2).what, QStringLiteral("openDocument")); // a document opens with its program
    QCOMPARE(os.calls.at(2).target, document);
    QCOMPARE(os.calls.at(3).what, QStringLiteral("openInBrowser"));
    QCOMPARE(os.calls.at(3).target, QStringLiteral("/opt/app/help/help.htm"));
}

void TestPub::enterMovesToTheNextControl_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focusAfter");
    QTest::newRow("edit box") << "edit" << int(Qt::NoModifier) << "combo";
    QTest::newRow("combo box") << "combo" << int(Qt::NoModifier) << "memo";
    QTest::newRow("memo: Enter stays") << "memo" << int(Qt::NoModifier) << "memo";
    QTest::newRow("memo: Ctrl+Enter moves") << "memo" << int(Qt::ControlModifier) << "grid";
    QTest::newRow("string grid: nothing") << "grid" << int(Qt::NoModifier) << "grid";
}

void TestPub::enterMovesToTheNextControl()
{
    QFETCH(QString, from);
    QFETCH(int, modifiers);
    QFETCH(QString, focusAfter);

    QDialog form;
    auto *layout = new QVBoxLayout(&form);
    auto *edit = new QLineEdit(&form);
    edit->setObjectName(QStringLiteral("edit"));
    auto *combo = new QComboBox(&form);
    combo->setObjectName(QStringLiteral("combo"));
    combo->setEditable(true);
    auto *memo = new QPlainTextEdit(&form);
    memo->setObjectName(QStringLiteral("memo"));
    auto *grid = new TStringAlignGrid;
    grid->setParent(&form);
    grid->setObjectName(QStringLiteral("grid"));
    auto *ok = new QPushButton(QStringLiteral("确定"), &form);
    for (QWidget *w : {static_cast<QWidget *>(edit), static_cast<QWidget *>(combo), static_cast<QWidget *>(memo),
                       static_cast<QWidget *>(grid), static_cast<QWidget *>(ok)})
        layout->addWidget(w);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    auto *start = form.findChild<QWidget *>(from);
    start->setFocus();
    QCOMPARE(QApplication::focusWidget() == combo->lineEdit() ? static_cast<QWidget *>(combo) : QApplication::focusWidget(),
             start);
    EnterToNextControl(QApplication::focusWidget(), Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    // Posted: nothing has moved before the event loop runs.
    QCOMPARE(QApplication::focusWidget() == combo->lineEdit() ? static_cast<QWidget *>(combo) : QApplication::focusWidget(),
             start);
    QCoreApplication::processEvents();
    QWidget *now = QApplication::focusWidget();
    if (now == combo->lineEdit())
        now = combo;
    QVERIFY2(now->objectName() == focusAfter, now->metaObject()->className());

    // Other keys never move the focus.
    EnterToNextControl(now, Qt::Key_A, Qt::NoModifier);
    QCoreApplication::processEvents();
    QWidget *still = QApplication::focusWidget() == combo->lineEdit() ? combo : QApplication::focusWidget();
    QCOMPARE(still, now);
}

void TestPub::installedFilterKeepsDefaultButtonUnpressed()
{
    QDialog form;
    auto *layout = new QVBoxLayout(&form);
    auto *first = new QLineEdit(&form);
    auto *second = new QLineEdit(&form);
    auto *ok = new QPushButton(QStringLiteral("确定"), &form);
    ok->setDefault(true);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(ok);
    bool pressed = false;
    QObject::connect(ok, &QPushButton::clicked, [&] { pressed = true; });
    InstallEnterToNextControl(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(!pressed);
    QCOMPARE(QApplication::focusWidget(), second);
}

QTEST_MAIN(TestPub)
#include "tst_pub.moc"
