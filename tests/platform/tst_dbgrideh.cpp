// The data grid: what its cells and footers show, the current row kept in step with the
// dataset both ways, title clicks that sort and mark, and a footer that hides no row.
#include "RecordingPrompts.h"
#include "TempProgramFolder.h"
#include "platform/db/Connection.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/grid/DBGridEh.h"
#include "platform/grid/DataSetModel.h"
#include "platform/grid/GridFormat.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(GridColumn)

namespace {

// A database holding expense rows with the given amounts (ID 1, 2, ... in this order).
struct BillFixture {
    explicit BillFixture(const QList<double> &totals)
    {
        connection.setConnectionString(folder.databasePath());
        connection.open();
        connection.beginTrans();
        for (int i = 0; i < totals.size(); ++i) {
            connection.execute(QStringLiteral("Insert into TBillDetail (OcrDate, DepartName, Total, ContractNo) "
                                              "Values('2024-03-%1 10:00:00', '部门%2', %3, 'HT%4')")
                                   .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                                   .arg(i % 3)
                                   .arg(totals.at(i), 0, 'g', 17)
                                   .arg(i, 3, 10, QLatin1Char('0')));
        }
        connection.commitTrans();
        dataSet = std::make_unique<db::DataSet>(&connection);
        dataSet->setCommandText(QStringLiteral("Select * from TBillDetail Order by ID"));
        dataSet->open();
    }

    TempProgramFolder folder;
    db::Connection connection;
    std::unique_ptr<db::DataSet> dataSet;
};

QList<GridColumn> queryColumns()
{
    return {
        GridColumn(QStringLiteral("ID"), QStringLiteral("序号"), 33).footerText(QStringLiteral("合计")),
        GridColumn(QStringLiteral("OcrDate"), QStringLiteral("发生日期"), 66).format(QStringLiteral("yyyy-MM-dd")),
        GridColumn(QStringLiteral("ContractNo"), QStringLiteral("合同编号"), 110).footerCount(QStringLiteral("0条")),
        GridColumn(QStringLiteral("DepartCode"), QStringLiteral("部门代码")).hidden(),
        GridColumn(QStringLiteral("DepartName"), QStringLiteral("部门名称"), 56),
        GridColumn(QStringLiteral("Total"), QStringLiteral("金额"), 74).format(QStringLiteral("0.00")).footerSum(QStringLiteral("0.00")),
    };
}

constexpr int kIdColumn = 0;
constexpr int kDateColumn = 1;
constexpr int kTotalColumn = 5;

QList<double> amounts(int count)
{
    QList<double> list;
    for (int i = 0; i < count; ++i)
        list << (i * 37 % 101) + 0.25;
    return list;
}

// Clicks the title of `column` as a user would.
void clickTitle(DBGridEh &grid, int column)
{
    QHeaderView *titles = grid.horizontalHeader();
    const QPoint at(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2, titles->height() / 2);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, at);
}

QList<qint64> ids(db::DataSet &ds)
{
    QList<qint64> list;
    const int id = ds.fieldIndex(QStringLiteral("ID"));
    for (int row = 0; row < ds.recordCount(); ++row)
        list << ds.value(row, id).toLongLong();
    return list;
}

} // namespace

class TestDBGridEh : public QObject {
    Q_OBJECT
private slots:
    void cellTexts_data();
    void cellTexts();
    void numberFormats_data();
    void numberFormats();
    void columnsHiddenTitledAndScaled();
    void footers_data();
    void footers();
    void footersFollowDeleteAndAppend();
    void currentRowFollowsTheDataSet();
    void selectingARowMovesTheDataSet();
    void refusedPostKeepsTheRowWhereTheDataSetIs();
    void titleClickSortsAndMarks();
    void titleClickLeftToTheOwner();
    void doubleClickSignalsWithoutEditing();
    void footerHidesNoRow();
    void datasetClosedOrGone();
};

void TestDBGridEh::cellTexts_data()
{
    QTest::addColumn<QString>("sqlValue");
    QTest::addColumn<GridColumn>("column");
    QTest::addColumn<QString>("shown");

    const QStringList sexKeys{QStringLiteral("0"), QStringLiteral("1")};
    const QStringList sexTexts{QStringLiteral("男"), QStringLiteral("女")};
    const GridColumn sex = GridColumn(QStringLiteral("V"), QStringLiteral("性别"), 30).mapped(sexKeys, sexTexts);
    const GridColumn amount = GridColumn(QStringLiteral("V")).format(QStringLiteral("0.00"));
    const GridColumn day = GridColumn(QStringLiteral("V")).format(QStringLiteral("yyyy-MM-dd"));

    QTest::newRow("mapped 0 is male") << "0" << sex << "男";
    QTest::newRow("mapped 1 is female") << "1" << sex << "女";
    QTest::newRow("mapped value without a text shows nothing") << "2" << sex << "";
    QTest::newRow("mapped NULL shows nothing") << "NULL" << sex << "";
    QTest::newRow("amount rounds half away on the decimal value") << "2.675" << amount << "2.68";
    QTest::newRow("amount 0.125") << "0.125" << amount << "0.13";
    QTest::newRow("negative amount") << "-0.125" << amount << "-0.13";
    QTest::newRow("integer amount gets decimals") << "12" << amount << "12.00";
    QTest::newRow("amount stored as text") << "'7.5'" << amount << "7.50";
    QTest::newRow("NULL amount is blank") << "NULL" << amount << "";
    QTest::newRow("date of a stored date-time") << "'2024-03-05 14:22:01'" << day << "2024-03-05";
    QTest::newRow("date NULL is blank") << "NULL" << day << "";
    QTest::newRow("text that is no date stays as stored") << "'soon'" << day << "soon";
    QTest::newRow("float without format in its plain form") << "12.5" << GridColumn(QStringLiteral("V")) << "12.5";
    QTest::newRow("text without format") << "'滴滴出行'" << GridColumn(QStringLiteral("V")) << "滴滴出行";
}

void TestDBGridEh::cellTexts()
{
    QFETCH(QString, sqlValue);
    QFETCH(GridColumn, column);
    QFETCH(QString, shown);

    BillFixture fx({});
    db::DataSet ds(&fx.connection);
    ds.setCommandText(QStringLiteral("Select %1 as V").arg(sqlValue));
    ds.open();
    DBGridEh grid;
    grid.setColumns({column});
    grid.setDataSet(&ds);
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(grid.model()->index(0, 0).data().toString(), shown);
    QCOMPARE(grid.displayText(0, 0), shown);
}

void TestDBGridEh::numberFormats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");

    QTest::newRow("count with a unit") << 12.0 << "0条" << "12条";
    QTest::newRow("zero count") << 0.0 << "0条" << "0条";
    QTest::newRow("two decimals tie 2.675") << 2.675 << "0.00" << "2.68";
    QTest::newRow("two decimals tie 1.005") << 1.005 << "0.00" << "1.01";
    QTest::newRow("large amount") << 1234567.89 << "0.00" << "1234567.89";
    QTest::newRow("rounds to zero without a sign") << -0.001 << "0.00" << "0.00";
    QTest::newRow("thousands groups") << 1234567.891 << "#,##0.00" << "1,234,567.89";
    QTest::newRow("optional decimals dropped") << 3.5 << "0.##" << "3.5";
    QTest::newRow("optional decimals all zero") << 3.0 << "0.##" << "3";
    QTest::newRow("whole number rounds half away") << 2.5 << "0" << "3";
    QTest::newRow("literal before and after") << 8.0 << "共0.0元" << "共8.0元";
}

void TestDBGridEh::numberFormats()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    QCOMPARE(FormatNumber(value, pattern), shown);
}

void TestDBGridEh::columnsHiddenTitledAndScaled()
{
    BillFixture fx(amounts(3));
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());

    QCOMPARE(grid.model()->columnCount(), 6);
    QVERIFY(grid.isColumnHidden(3));
    QVERIFY(!grid.isColumnHidden(kTotalColumn));
    QCOMPARE(grid.model()->headerData(kTotalColumn, Qt::Horizontal).toString(), QStringLiteral("金额"));
    QCOMPARE(grid.model()->headerData(kTotalColumn, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(grid.columnIndex(QStringLiteral("total")), kTotalColumn);
    QCOMPARE(grid.columnIndex(QStringLiteral("EmpName")), -1);

    // Widths keep their proportions and never shrink below the design widths.
    QVERIFY(grid.columnWidth(kDateColumn) >= 66);
    QVERIFY(grid.columnWidth(2) > grid.columnWidth(kDateColumn));
    QVERIFY(grid.columnWidth(kDateColumn) >= grid.fontMetrics().horizontalAdvance(QStringLiteral("2024-03-01")));

    // Amounts right-aligned, texts left.
    const auto alignment = [&](int column) {
        return grid.model()->index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignment(kTotalColumn), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(alignment(4), Qt::Alignment(Qt::AlignLeft));

    // Cells are read-only.
    QVERIFY(!(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable));

    // Reopening the dataset keeps the column layout.
    grid.setColumnWidth(4, 200);
    fx.dataSet->close();
    fx.dataSet->open();
    QCOMPARE(grid.columnWidth(4), 200);
    QVERIFY(grid.isColumnHidden(3));
}

void TestDBGridEh::footers_data()
{
    QTest::addColumn<QList<double>>("totals");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("sum");

    QTest::newRow("no rows") << QList<double>{} << "0条" << "0.00";
    QTest::newRow("one row") << QList<double>{12.5} << "1条" << "12.50";
    QTest::newRow("binary noise of the terms does not move the cent")
        << QList<double>{0.1, 0.2, 2.675} << "3条" << "2.98";
    QTest::newRow("negative and positive") << QList<double>{-1.005, 0.0, 0.0} << "3条" << "-1.01";
    QTest::newRow("many rows") << amounts(500) << "500条" << [] {
        long double s = 0;
        for (double v : amounts(500))
            s += v;
        return QString::number(double(s), 'f', 2);
    }();
}

void TestDBGridEh::footers()
{
    QFETCH(QList<double>, totals);
    QFETCH(QString, count);
    QFETCH(QString, sum);

    BillFixture fx(totals);
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    grid.setFooterVisible(true);

    QCOMPARE(grid.footerText(kIdColumn), QStringLiteral("合计"));
    QCOMPARE(grid.footerText(2), count);
    QCOMPARE(grid.footerText(kTotalColumn), sum);
    QCOMPARE(grid.footerText(kDateColumn), QString());
}

void TestDBGridEh::footersFollowDeleteAndAppend()
{
    BillFixture fx({10.0, 20.0, 30.25});
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    grid.setFooterVisible(true);
    QSignalSpy changed(grid.dataModel(), &DataSetModel::footersChanged);

    fx.dataSet->setRecNo(1);
    fx.dataSet->deleteRecord();
    QCOMPARE(grid.footerText(2), QStringLiteral("2条"));
    QCOMPARE(grid.footerText(kTotalColumn), QStringLiteral("40.25"));
    QVERIFY(changed.count() >= 1);

    fx.dataSet->append();
    fx.dataSet->fieldByName(QStringLiteral("Total")).setAsFloat(0.5);
    fx.dataSet->post();
    QCOMPARE(grid.footerText(2), QStringLiteral("3条"));
    QCOMPARE(grid.footerText(kTotalColumn), QStringLiteral("40.75"));

    fx.dataSet->edit();
    fx.dataSet->fieldByName(QStringLiteral("Total")).setAsFloat(100.0);
    QCOMPARE(grid.footerText(kTotalColumn), QStringLiteral("140.25"));
    fx.dataSet->cancel();
    QCOMPARE(grid.footerText(kTotalColumn), QStringLiteral("40.75"));
}

void TestDBGridEh::currentRowFollowsTheDataSet()
{
    BillFixture fx(amounts(20));
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    db::DataSet &ds = *fx.dataSet;

    QCOMPARE(grid.currentRow(), 0);
    ds.setRecNo(7);
    QCOMPARE(grid.currentRow(), 7);
    QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid.selectionModel()->selectedRows().first().row(), 7);
    ds.last();
    QCOMPARE(grid.currentRow(), 19);

    // Deleting the current record leaves the grid on the dataset's next one.
    ds.setRecNo(5);
    const qint64 nextId = ds.value(6, ds.fieldIndex(QStringLiteral("ID"))).toLongLong();
    ds.deleteRecord();
    QCOMPARE(grid.model()->rowCount(), 19);
    QCOMPARE(ds.recNo(), 5);
    QCOMPARE(grid.currentRow(), 5);
    QCOMPARE(ds.fieldByName(QStringLiteral("ID")).asInteger(), nextId);

    // An appended record is shown and current.
    ds.append();
    QCOMPARE(grid.model()->rowCount(), 20);
    QCOMPARE(grid.currentRow(), 19);
    ds.cancel();
    QCOMPARE(grid.model()->rowCount(), 19);
    QCOMPARE(grid.currentRow(), ds.recNo());

    // A sort keeps the same record current, now at its new place.
    ds.setRecNo(3);
    const qint64 id = ds.fieldByName(QStringLiteral("ID")).asInteger();
    grid.sortDataSet(kTotalColumn, Qt::DescendingOrder);
    QCOMPARE(ds.fieldByName(QStringLiteral("ID")).asInteger(), id);
    QCOMPARE(grid.currentRow(), ds.recNo());

    // Reopening goes back to the first row; a query with fewer rows too.
    ds.close();
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(grid.currentRow(), -1);
    ds.setCommandText(QStringLiteral("Select * from TBillDetail Where ID<=4 Order by ID"));
    ds.open();
    QCOMPARE(grid.model()->rowCount(), 4);
    QCOMPARE(grid.currentRow(), 0);
    QCOMPARE(grid.displayText(3, kIdColumn), QStringLiteral("4"));
}

void TestDBGridEh::selectingARowMovesTheDataSet()
{
    BillFixture fx(amounts(30));
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    db::DataSet &ds = *fx.dataSet;

    const QModelIndex third = grid.model()->index(2, kTotalColumn);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(third).center());
    QCOMPARE(ds.recNo(), 2);
    QCOMPARE(ds.fieldByName(QStringLiteral("ID")).asInteger(), 3);

    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(ds.recNo(), 3);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(ds.recNo(), 29);
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(ds.recNo(), 0);

    // Whole rows are selected, one at a time.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(4, 0)).center());
    const QModelIndexList selected = grid.selectionModel()->selectedIndexes();
    QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
    for (const QModelIndex &index : selected)
        QCOMPARE(index.row(), 4);
    QCOMPARE(ds.recNo(), 4);
}

void TestDBGridEh::refusedPostKeepsTheRowWhereTheDataSetIs()
{
    BillFixture fx(amounts(5));
    RecordingPrompts prompts;
    fx.connection.execute(QStringLiteral("CREATE TRIGGER noBigAmounts BEFORE UPDATE ON TBillDetail WHEN NEW.Total > 1000 "
                                         "BEGIN SELECT RAISE(ABORT, 'too big'); END"));
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    db::DataSet &ds = *fx.dataSet;

    ds.setRecNo(1);
    ds.edit();
    ds.fieldByName(QStringLiteral("Total")).setAsFloat(5000);
    // Moving the row in the grid posts the pending edit, which the database refuses.
    grid.setCurrentIndex(grid.model()->index(3, 0));
    QCOMPARE(prompts.messages().size(), 1);
    QCOMPARE(ds.recNo(), 1);
    QCOMPARE(grid.currentRow(), 1);
    QVERIFY(ds.state() == db::DataSet::State::Edit);
}

void TestDBGridEh::titleClickSortsAndMarks()
{
    BillFixture fx({30.0, 10.0, 20.0});
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    grid.setAutoSortOnTitleClick(true);
    grid.resize(700, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy clicks(&grid, &DBGridEh::titleClick);
    db::DataSet &ds = *fx.dataSet;

    clickTitle(grid, kTotalColumn);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), kTotalColumn);
    QCOMPARE(ids(ds), (QList<qint64>{2, 3, 1}));
    QCOMPARE(grid.sortMarker(kTotalColumn), SortMarker::Down);
    QCOMPARE(grid.displayText(0, kTotalColumn), QStringLiteral("10.00"));

    clickTitle(grid, kTotalColumn);
    QCOMPARE(ids(ds), (QList<qint64>{1, 3, 2}));
    QCOMPARE(grid.sortMarker(kTotalColumn), SortMarker::Up);
    QCOMPARE(grid.displayText(0, kTotalColumn), QStringLiteral("30.00"));

    // Another column takes the marker; the first loses it.
    clickTitle(grid, kIdColumn);
    QCOMPARE(ids(ds), (QList<qint64>{1, 2, 3}));
    QCOMPARE(grid.sortMarker(kIdColumn), SortMarker::Down);
    QCOMPARE(grid.sortMarker(kTotalColumn), SortMarker::None);

    // The rows were sorted in memory: the database was not asked again.
    QVERIFY(fx.connection.execute(QStringLiteral("Delete from TBillDetail")) == 3);
    clickTitle(grid, kIdColumn);
    QCOMPARE(ids(ds), (QList<qint64>{3, 2, 1}));
}

void TestDBGridEh::titleClickLeftToTheOwner()
{
    BillFixture fx({30.0, 10.0, 20.0});
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    grid.resize(700, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy clicks(&grid, &DBGridEh::titleClick);

    clickTitle(grid, kTotalColumn);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(ids(*fx.dataSet), (QList<qint64>{1, 2, 3}));
    QCOMPARE(grid.sortMarker(kTotalColumn), SortMarker::None);

    // The owner sorts the way it decides; a closed dataset raises.
    grid.sortDataSet(kDateColumn, Qt::DescendingOrder);
    QCOMPARE(grid.sortMarker(kDateColumn), SortMarker::Up);
    QCOMPARE(ids(*fx.dataSet), (QList<qint64>{3, 2, 1}));
    fx.dataSet->close();
    QVERIFY_THROWS_EXCEPTION(db::DbError, grid.sortDataSet(kDateColumn, Qt::AscendingOrder));
}

void TestDBGridEh::doubleClickSignalsWithoutEditing()
{
    BillFixture fx(amounts(4));
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy doubleClicks(&grid, &DBGridEh::dblClick);

    const QPoint at = grid.visualRect(grid.model()->index(2, kTotalColumn)).center();
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(fx.dataSet->recNo(), 2);
    QVERIFY(grid.findChildren<QLineEdit *>().isEmpty()); // no cell editor opened

    // A double click below the rows counts as well (the windows decide what it means).
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, QPoint(10, grid.viewport()->height() - 5));
    QCOMPARE(doubleClicks.count(), 2);
}

void TestDBGridEh::footerHidesNoRow()
{
    BillFixture fx(amounts(60));
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setDataSet(fx.dataSet.get());
    grid.setFooterVisible(true);
    grid.setRowIndicator(true);
    grid.resize(300, 260); // narrow: the horizontal scroll bar is needed as well
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    auto *footer = grid.findChildren<QHeaderView *>().last();
    QVERIFY(footer != grid.horizontalHeader() && footer != grid.verticalHeader());
    QVERIFY(footer->isVisible());
    const int footerTop = grid.viewport()->height() - footer->height();
    QCOMPARE(footer->geometry().bottom(), grid.viewport()->geometry().bottom());

    // The last record, made current, is scrolled fully above the footer.
    fx.dataSet->last();
    QRect last = grid.visualRect(grid.model()->index(59, kTotalColumn));
    QVERIFY2(last.bottom() < footerTop, qPrintable(QStringLiteral("%1 / %2").arg(last.bottom()).arg(footerTop)));
    QVERIFY(last.top() >= 0);

    // Scrolled to the very end, the last row is above the footer as well.
    fx.dataSet->first();
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    last = grid.visualRect(grid.model()->index(59, kTotalColumn));
    QVERIFY(last.bottom() < footerTop);

    // Scrolling sideways moves the footer cells with the columns.
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    QVERIFY(grid.horizontalScrollBar()->maximum() > 0);
    QCOMPARE(footer->offset(), grid.horizontalHeader()->offset());
    QCOMPARE(footer->sectionSize(kTotalColumn), grid.columnWidth(kTotalColumn));

    // With few rows every one is above the footer without scrolling.
    fx.dataSet->close();
    fx.dataSet->setCommandText(QStringLiteral("Select * from TBillDetail Where ID<=5"));
    fx.dataSet->open();
    QCOMPARE(grid.verticalScrollBar()->maximum(), 0);
    QVERIFY(grid.visualRect(grid.model()->index(4, 0)).bottom() < footerTop);
}

void TestDBGridEh::datasetClosedOrGone()
{
    BillFixture fx(amounts(3));
    DBGridEh grid;
    grid.setColumns(queryColumns());
    grid.setFooterVisible(true);
    {
        db::DataSet ds(&fx.connection);
        ds.setCommandText(QStringLiteral("Select * from TBillDetail"));
        grid.setDataSet(&ds);
        QCOMPARE(grid.model()->rowCount(), 0);
        QCOMPARE(grid.footerText(2), QStringLiteral("0条"));
        ds.open();
        QCOMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.footerText(2), QStringLiteral("3条"));
    }
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(grid.dataSet(), nullptr);
    QCOMPARE(grid.displayText(0, 0), QString());
}

QTEST_MAIN(TestDBGridEh)
#include "tst_dbgrideh.moc"
