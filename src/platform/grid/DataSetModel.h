#pragma once

#include "platform/db/DataSet.h"
#include "platform/grid/GridColumn.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVector>

// The rows of a db::DataSet as a read-only table of the grid's columns. Cells are read from
// the dataset when a view asks for them, so a model of 10^5 rows costs nothing to open.
// Without a column list every field of the dataset is shown under its own name.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject *parent = nullptr);

    void setDataSet(db::DataSet *dataSet);
    db::DataSet *dataSet() const { return m_dataSet; }

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    bool hasColumnList() const { return !m_autoColumns; }
    int columnIndex(const QString &fieldName) const; // case-insensitive; -1 when absent

    // Marks one column (the others lose their marker); -1 clears all.
    void setSortMarker(int column, SortMarker marker);
    // Sorts the dataset's rows in memory by the column's field and marks the column: Down for
    // ascending, Up for descending. Raises db::DbError (a closed dataset, an unknown field).
    void sortBy(int column, Qt::SortOrder order);

    // The current row of the dataset shows a marker in the vertical header.
    void setRowIndicator(bool on);
    bool rowIndicator() const { return m_rowIndicator; }

    QString displayText(int row, int column) const;
    QString footerText(int column) const;

    // True while rows are being removed or inserted to follow the dataset; the view's current
    // row then moves on its own and must not be handed back to the dataset.
    bool followingDataSet() const { return m_following; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void footersChanged();

private:
    void rowsReset();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentChanged(int row);
    void resolveFields();
    void updateFooters();

    QPointer<db::DataSet> m_dataSet;
    QList<GridColumn> m_columns;
    bool m_autoColumns = true;
    QVector<int> m_fieldIndex; // dataset field of each column, -1 when absent
    int m_rowCount = 0;
    int m_indicatorRow = -1;
    bool m_rowIndicator = false;
    bool m_following = false;
    QStringList m_footers;
};
