#include "platform/db/DataSet.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Values.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <numeric>

namespace db {

// ---- Field ----

QString Field::name() const
{
    return m_dataSet->fieldName(m_index);
}

QVariant Field::value() const
{
    return m_dataSet->currentValue(m_index);
}

bool Field::isNull() const
{
    return value().isNull();
}

QString Field::asString() const
{
    return valueToText(value());
}

qint64 Field::asInteger() const
{
    return valueToInteger(value(), name());
}

double Field::asFloat() const
{
    return valueToFloat(value(), name());
}

QDateTime Field::asDateTime() const
{
    return valueToDateTime(value(), name());
}

void Field::setValue(const QVariant &value)
{
    m_dataSet->setCurrentValue(m_index, value);
}

void Field::setAsDateTime(const QDateTime &value)
{
    setValue(value.isValid() ? QVariant(dateTimeToText(value)) : QVariant());
}

// ---- DataSet ----

DataSet::DataSet(Connection *connection, QObject *parent) : QObject(parent), m_connection(connection) {}

void DataSet::setCommandText(const QString &sql)
{
    if (active())
        throw DbError(QStringLiteral("Operation is not allowed when the object is open."));
    m_sql = sql;
}

void DataSet::open()
{
    if (active())
        return;
    if (!m_connection)
        throw DbError(QStringLiteral("No connection is set."), m_sql);
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    if (!query.exec(translateJetSql(m_sql)))
        throw DbError(query.lastError().text(), m_sql);
    const QSqlRecord record = query.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    QVector<QVector<QVariant>> rows;
    while (query.next()) {
        QVector<QVariant> row(record.count());
        for (int i = 0; i < record.count(); ++i)
            row[i] = query.value(i);
        rows.append(std::move(row));
    }
    if (query.lastError().isValid())
        throw DbError(query.lastError().text(), m_sql);

    m_names = names;
    m_rows = std::move(rows);
    m_table.clear();
    m_tableColumns.clear();
    m_sortField.clear();
    m_modified.clear();
    m_state = State::Browse;
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit rowsReset();
    emit stateChanged();
    emit currentChanged(m_current);
}

void DataSet::close()
{
    if (!active())
        return;
    m_state = State::Inactive;
    m_rows.clear();
    m_names.clear();
    m_current = -1;
    m_eof = m_bof = true;
    m_modified.clear();
    emit rowsReset();
    emit stateChanged();
}

void DataSet::requireActive() const
{
    if (!active())
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."), m_sql);
}

void DataSet::requireRow() const
{
    requireActive();
    if (m_current < 0 || m_current >= m_rows.size())
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."), m_sql);
}

void DataSet::setCurrent(int row)
{
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    const int previous = m_current;
    m_current = row;
    if (previous != m_current)
        emit currentChanged(m_current);
}

void DataSet::first()
{
    requireActive();
    setCurrent(m_rows.isEmpty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
}

void DataSet::last()
{
    requireActive();
    setCurrent(int(m_rows.size()) - 1);
    m_eof = m_rows.isEmpty();
    m_bof = m_rows.isEmpty();
}

void DataSet::next()
{
    requireActive();
    if (m_current + 1 < m_rows.size()) {
        setCurrent(m_current + 1);
        m_bof = false;
    } else {
        m_eof = true;
    }
}

void DataSet::prior()
{
    requireActive();
    if (m_current > 0) {
        setCurrent(m_current - 1);
        m_eof = false;
    } else {
        m_bof = true;
    }
}

void DataSet::setRecNo(int row)
{
    requireActive();
    if (row < 0 || row >= m_rows.size())
        return;
    setCurrent(row);
    m_bof = m_eof = false;
}

int DataSet::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field DataSet::fieldByName(const QString &name)
{
    requireActive();
    const int index = fieldIndex(name);
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name), m_sql);
    return Field(this, index);
}

Field DataSet::field(int index)
{
    requireActive();
    if (index < 0 || index >= m_names.size())
        throw DbError(QStringLiteral("List index out of bounds (%1)").arg(index), m_sql);
    return Field(this, index);
}

QVariant DataSet::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_names.size())
        return QVariant();
    return m_rows.at(row).at(column);
}

QVariant DataSet::currentValue(int column) const
{
    requireRow();
    return m_rows.at(m_current).at(column);
}

void DataSet::setCurrentValue(int column, const QVariant &value)
{
    requireRow();
    if (m_state != State::Edit && m_state != State::Insert)
        throw DbError(QStringLiteral("Dataset not in edit or insert mode"), m_sql);
    m_rows[m_current][column] = value;
    m_modified.insert(column);
    emit rowChanged(m_current);
}

QString DataSet::updateTable() const
{
    static const QRegularExpression fromTable(QStringLiteral("\\bfrom\\s+\\[?([A-Za-z_][A-Za-z0-9_]*)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = fromTable.match(m_sql);
    return match.hasMatch() ? match.captured(1) : QString();
}

void DataSet::loadTableColumns()
{
    if (!m_table.isEmpty())
        return;
    const QString table = updateTable();
    if (table.isEmpty())
        throw DbError(QStringLiteral("The query names no table to update."), m_sql);
    QSqlQuery query(m_connection->database());
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        throw DbError(query.lastError().text(), m_sql);
    QStringList columns;
    while (query.next())
        columns << query.value(1).toString().toLower();
    if (columns.isEmpty())
        throw DbError(QStringLiteral("Table '%1' does not exist.").arg(table), m_sql);
    // Kept only once known, so a failed look-up is tried again by the next write.
    m_table = table;
    m_tableColumns = columns;
}

void DataSet::edit()
{
    requireRow();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    m_saved = m_rows.at(m_current);
    m_modified.clear();
    m_state = State::Edit;
    emit stateChanged();
}

void DataSet::append()
{
    requireActive();
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    m_rows.append(QVector<QVariant>(m_names.size()));
    const int row = int(m_rows.size()) - 1;
    m_modified.clear();
    m_state = State::Insert;
    emit rowInserted(row);
    m_current = row;
    m_bof = m_eof = false;
    emit currentChanged(row);
    emit stateChanged();
}

void DataSet::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    loadTableColumns();
    QStringList columns;
    QVariantList values;
    for (int column : std::as_const(m_modified)) {
        if (m_tableColumns.contains(m_names.at(column).toLower()) && m_names.at(column).compare(u"ID", Qt::CaseInsensitive) != 0) {
            columns << m_names.at(column);
            values << m_rows.at(m_current).at(column);
        }
    }
    QSqlQuery query(m_connection->database());
    QString sql;
    const int idColumn = fieldIndex(QStringLiteral("ID"));
    if (m_state == State::Insert) {
        if (columns.isEmpty()) {
            sql = QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(m_table);
        } else {
            QStringList quoted, marks;
            for (const QString &c : std::as_const(columns)) {
                quoted << QStringLiteral("\"%1\"").arg(c);
                marks << QStringLiteral("?");
            }
            sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(m_table, quoted.join(u','), marks.join(u','));
        }
    } else {
        if (idColumn < 0)
            throw DbError(QStringLiteral("The rows of this query carry no ID to update by."), m_sql);
        if (columns.isEmpty()) {
            m_state = State::Browse;
            m_modified.clear();
            emit stateChanged();
            return;
        }
        QStringList sets;
        for (const QString &c : std::as_const(columns))
            sets << QStringLiteral("\"%1\"=?").arg(c);
        sql = QStringLiteral("UPDATE \"%1\" SET %2 WHERE ID=?").arg(m_table, sets.join(u','));
        values << m_saved.value(idColumn);
    }
    if (!query.prepare(sql))
        throw DbError(query.lastError().text(), sql);
    for (const QVariant &v : std::as_const(values))
        query.addBindValue(v);
    if (!query.exec())
        throw DbError(query.lastError().text(), sql);
    if (m_state == State::Insert) {
        const qint64 id = query.lastInsertId().toLongLong();
        query.finish();
        reselectRow(m_current, id);
    }
    m_state = State::Browse;
    m_modified.clear();
    emit rowChanged(m_current);
    emit stateChanged();
}

void DataSet::reselectRow(int row, qint64 rowid)
{
    // Read the stored row back, so defaults and the new ID show in the dataset.
    QStringList wanted;
    QVector<int> columns;
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_tableColumns.contains(m_names.at(i).toLower())) {
            wanted << QStringLiteral("\"%1\"").arg(m_names.at(i));
            columns << i;
        }
    }
    if (wanted.isEmpty())
        return;
    QSqlQuery query(m_connection->database());
    if (query.exec(QStringLiteral("SELECT %1 FROM \"%2\" WHERE rowid=%3").arg(wanted.join(u','), m_table).arg(rowid))
        && query.next()) {
        for (int i = 0; i < columns.size(); ++i)
            m_rows[row][columns.at(i)] = query.value(i);
    }
}

void DataSet::cancel()
{
    if (m_state == State::Edit) {
        m_rows[m_current] = m_saved;
        m_state = State::Browse;
        m_modified.clear();
        emit rowChanged(m_current);
        emit stateChanged();
    } else if (m_state == State::Insert) {
        m_state = State::Browse;
        m_modified.clear();
        removeCurrentRow();
        emit stateChanged();
    }
}

void DataSet::removeCurrentRow()
{
    const int row = m_current;
    m_rows.removeAt(row);
    emit rowRemoved(row);
    m_current = m_rows.isEmpty() ? -1 : std::min<int>(row, int(m_rows.size()) - 1);
    m_eof = m_bof = m_rows.isEmpty();
    emit currentChanged(m_current);
}

void DataSet::deleteRecord()
{
    requireRow();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    loadTableColumns();
    const int idColumn = fieldIndex(QStringLiteral("ID"));
    if (idColumn < 0)
        throw DbError(QStringLiteral("The rows of this query carry no ID to delete by."), m_sql);
    QSqlQuery query(m_connection->database());
    const QString sql = QStringLiteral("DELETE FROM \"%1\" WHERE ID=?").arg(m_table);
    if (!query.prepare(sql))
        throw DbError(query.lastError().text(), sql);
    query.addBindValue(m_rows.at(m_current).at(idColumn));
    if (!query.exec())
        throw DbError(query.lastError().text(), sql);
    removeCurrentRow();
}

void DataSet::sort(const QString &fieldName, Qt::SortOrder order)
{
    requireActive();
    const int column = fieldIndex(fieldName);
    if (column < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(fieldName), m_sql);
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    QVector<int> permutation(m_rows.size());
    std::iota(permutation.begin(), permutation.end(), 0);
    std::stable_sort(permutation.begin(), permutation.end(), [&](int a, int b) {
        const int c = compareValues(m_rows.at(a).at(column), m_rows.at(b).at(column));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QVector<QVector<QVariant>> sorted;
    sorted.reserve(m_rows.size());
    int newCurrent = -1;
    for (int i = 0; i < permutation.size(); ++i) {
        if (permutation.at(i) == m_current)
            newCurrent = i;
        sorted.append(std::move(m_rows[permutation.at(i)]));
    }
    m_rows = std::move(sorted);
    m_sortField = m_names.at(column);
    m_sortOrder = order;
    m_current = newCurrent;
    emit rowsReset();
    emit currentChanged(m_current);
}

} // namespace db
