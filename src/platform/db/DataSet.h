#pragma once

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace db {

class Connection;
class DataSet;

// One column of a dataset's current row. NULL reads as "", 0 or 0.0; writes need the
// dataset in edit or insert state.
class Field {
public:
    Field(DataSet *dataSet, int index) : m_dataSet(dataSet), m_index(index) {}

    QString name() const;
    int index() const { return m_index; }
    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    QDateTime asDateTime() const;

    void setValue(const QVariant &value);
    void setAsString(const QString &value) { setValue(value); }
    void setAsInteger(qint64 value) { setValue(value); }
    void setAsFloat(double value) { setValue(value); }
    void setAsDateTime(const QDateTime &value);
    void clear() { setValue(QVariant()); }

private:
    DataSet *m_dataSet;
    int m_index;
};

// A query's rows held on the client, with a current row, as the windows walk and edit them.
// Edits are written back to the first table named after FROM, by its ID column.
class DataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit DataSet(Connection *connection = nullptr, QObject *parent = nullptr);

    void setConnection(Connection *connection) { m_connection = connection; }
    Connection *connection() const { return m_connection; }

    // Raises DbError when the dataset is open: close it before changing its text.
    void setCommandText(const QString &sql);
    QString commandText() const { return m_sql; }

    void open();  // raises DbError; the dataset stays closed then
    void close();
    bool active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    bool isEmpty() const { return m_rows.isEmpty(); }
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void next();
    void prior();
    void last();
    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_current; } // 0-based; -1 when there are no rows
    void setRecNo(int row);

    int fieldCount() const { return int(m_names.size()); }
    QString fieldName(int index) const { return m_names.value(index); }
    int fieldIndex(const QString &name) const; // case-insensitive; -1 when absent
    Field fieldByName(const QString &name);    // raises DbError when absent
    Field field(int index);                     // raises DbError when out of range

    // Raw access for views over the rows.
    QVariant value(int row, int column) const;

    void edit();
    void append();
    void post();          // raises DbError when the database refuses; the edit stays pending
    void cancel();
    void deleteRecord();  // raises DbError when the database refuses

    // Client-side sort by one column; the current row follows its record.
    void sort(const QString &fieldName, Qt::SortOrder order);
    QString sortField() const { return m_sortField; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    QString updateTable() const; // the table that edits go to

signals:
    void rowsReset();
    void currentChanged(int row);
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void stateChanged();

private:
    friend class Field;
    QVariant currentValue(int column) const;
    void setCurrentValue(int column, const QVariant &value);
    void requireActive() const;
    void requireRow() const;
    void loadTableColumns();
    void setCurrent(int row);
    void removeCurrentRow();
    void reselectRow(int row, qint64 id);

    Connection *m_connection = nullptr;
    QString m_sql;
    State m_state = State::Inactive;
    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    QVector<QVariant> m_saved;  // the row as it was before edit()
    QSet<int> m_modified;       // columns written since edit()/append()
    QString m_table;
    QStringList m_tableColumns; // lower-case names of the update table's columns
    QString m_sortField;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace db
