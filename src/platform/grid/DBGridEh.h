#pragma once

#include "platform/grid/GridColumn.h"

#include <QList>
#include <QTableView>

class DataSetModel;
class GridFooter;
class GridTitles;

namespace db {
class DataSet;
}

// A read-only data grid over a db::DataSet: a column list with titles, widths, hidden
// columns, value mapping and display formats; whole-row selection; the current row follows
// the dataset both ways; a footer row (fixed text, count, sum); title clicks with sort
// markers; a double-click signal.
class DBGridEh : public QTableView {
    Q_OBJECT
public:
    explicit DBGridEh(QWidget *parent = nullptr);
    ~DBGridEh() override;

    void setDataSet(db::DataSet *dataSet);
    db::DataSet *dataSet() const;
    DataSetModel *dataModel() const { return m_model; }

    // Column widths are given for the 9-point design font and scaled to the grid's font, so
    // the titles fit the same way.
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const;
    int columnIndex(const QString &fieldName) const; // -1 when no column shows the field

    // The text a cell shows (mapping and format applied); the dataset's row numbering.
    QString displayText(int row, int column) const;
    QString footerText(int column) const;

    void setFooterVisible(bool on);
    bool footerVisible() const { return m_footerVisible; }
    void setRowIndicator(bool on);
    bool rowIndicator() const;

    // When on, a title click sorts by that column itself: ascending first, then alternating.
    // Off (the default), the owner decides in its titleClick handler and calls sortDataSet.
    void setAutoSortOnTitleClick(bool on) { m_autoSort = on; }

    void setSortMarker(int column, SortMarker marker);
    SortMarker sortMarker(int column) const;
    // Sorts the rows in memory by the column's field, marks the column (Down for ascending,
    // Up for descending) and keeps the current record current. Raises db::DbError.
    void sortDataSet(int column, Qt::SortOrder order);

    int currentRow() const; // -1 when no row is current

signals:
    void dblClick();
    void titleClick(int column);

protected:
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followDataSet(int row);
    void applyColumnLayout();
    void syncFooterSection(int section);
    void syncFooterSections();
    void layoutFooter();
    void keepTopRowAtScrollValue();
    void onTitleClicked(int section);
    double widthScale() const;

    DataSetModel *m_model;
    GridTitles *m_titles;
    GridFooter *m_footer;
    bool m_footerVisible = false;
    bool m_autoSort = false;
    bool m_syncing = false;
};
