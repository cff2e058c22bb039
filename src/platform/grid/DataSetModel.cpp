#include "platform/grid/DataSetModel.h"

#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/db/Values.h"
#include "platform/grid/GridFormat.h"

namespace {

// Marker of the current row in the vertical header.
const QString kCurrentRowGlyph = QStringLiteral("\u25B6");

} // namespace

DataSetModel::DataSetModel(QObject *parent) : QAbstractTableModel(parent) {}

void DataSetModel::setDataSet(db::DataSet *dataSet)
{
    if (m_dataSet == dataSet)
        return;
    beginResetModel();
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    if (m_dataSet) {
        connect(m_dataSet, &db::DataSet::rowsReset, this, &DataSetModel::rowsReset);
        connect(m_dataSet, &db::DataSet::rowInserted, this, &DataSetModel::rowInserted);
        connect(m_dataSet, &db::DataSet::rowRemoved, this, &DataSetModel::rowRemoved);
        connect(m_dataSet, &db::DataSet::rowChanged, this, &DataSetModel::rowChanged);
        connect(m_dataSet, &db::DataSet::currentChanged, this, &DataSetModel::currentChanged);
        connect(m_dataSet, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_rowCount = 0;
            m_indicatorRow = -1;
            resolveFields();
            endResetModel();
            updateFooters();
        });
    }
    resolveFields();
    m_rowCount = m_dataSet ? m_dataSet->recordCount() : 0;
    m_indicatorRow = m_dataSet ? m_dataSet->recNo() : -1;
    endResetModel();
    updateFooters();
}

void DataSetModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_autoColumns = columns.isEmpty();
    resolveFields();
    endResetModel();
    updateFooters();
}

int DataSetModel::columnIndex(const QString &fieldName) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DataSetModel::resolveFields()
{
    if (m_autoColumns) {
        m_columns.clear();
        if (m_dataSet)
            for (int i = 0; i < m_dataSet->fieldCount(); ++i)
                m_columns.append(GridColumn(m_dataSet->fieldName(i), m_dataSet->fieldName(i)));
    }
    m_fieldIndex.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        m_fieldIndex[i] = m_dataSet ? m_dataSet->fieldIndex(m_columns.at(i).fieldName) : -1;
}

void DataSetModel::rowsReset()
{
    const int count = m_dataSet ? m_dataSet->recordCount() : 0;
    if (m_autoColumns) {
        beginResetModel();
        resolveFields();
        m_rowCount = count;
        m_indicatorRow = m_dataSet ? m_dataSet->recNo() : -1;
        endResetModel();
    } else if (count == m_rowCount) {
        // Same number of rows (a sort, or the same query again): repaint in place, which
        // keeps the column layout and lets the current row follow the dataset afterwards.
        resolveFields();
        if (count > 0 && !m_columns.isEmpty())
            emit dataChanged(index(0, 0), index(count - 1, int(m_columns.size()) - 1));
        if (count > 0)
            emit headerDataChanged(Qt::Vertical, 0, count - 1);
    } else {
        m_following = true;
        if (m_rowCount > 0) {
            beginRemoveRows(QModelIndex(), 0, m_rowCount - 1);
            m_rowCount = 0;
            endRemoveRows();
        }
        resolveFields();
        if (count > 0) {
            beginInsertRows(QModelIndex(), 0, count - 1);
            m_rowCount = count;
            endInsertRows();
        }
        m_following = false;
    }
    updateFooters();
}

void DataSetModel::rowInserted(int row)
{
    m_following = true;
    beginInsertRows(QModelIndex(), row, row);
    ++m_rowCount;
    endInsertRows();
    m_following = false;
    updateFooters();
}

void DataSetModel::rowRemoved(int row)
{
    m_following = true;
    beginRemoveRows(QModelIndex(), row, row);
    --m_rowCount;
    endRemoveRows();
    m_following = false;
    if (m_indicatorRow >= m_rowCount)
        m_indicatorRow = -1;
    updateFooters();
}

void DataSetModel::rowChanged(int row)
{
    if (row >= 0 && row < m_rowCount && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
    updateFooters();
}

void DataSetModel::currentChanged(int row)
{
    const int previous = m_indicatorRow;
    m_indicatorRow = row;
    if (!m_rowIndicator)
        return;
    if (previous >= 0 && previous < m_rowCount)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < m_rowCount)
        emit headerDataChanged(Qt::Vertical, row, row);
}

void DataSetModel::setSortMarker(int column, SortMarker marker)
{
    for (int i = 0; i < m_columns.size(); ++i)
        m_columns[i].sortMarker = i == column ? marker : SortMarker::None;
    if (!m_columns.isEmpty())
        emit headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
}

void DataSetModel::setRowIndicator(bool on)
{
    m_rowIndicator = on;
    if (m_rowCount > 0)
        emit headerDataChanged(Qt::Vertical, 0, m_rowCount - 1);
}

QString DataSetModel::displayText(int row, int column) const
{
    if (!m_dataSet || column < 0 || column >= m_columns.size() || row < 0 || row >= m_rowCount)
        return QString();
    const GridColumn &c = m_columns.at(column);
    const QVariant value = m_dataSet->value(row, m_fieldIndex.at(column));
    if (!c.keyList.isEmpty()) {
        const int at = int(c.keyList.indexOf(db::valueToText(value)));
        return at >= 0 ? c.pickList.value(at) : QString();
    }
    return FormatDisplayValue(value, c.displayFormat);
}

QString DataSetModel::footerText(int column) const
{
    return m_footers.value(column);
}

void DataSetModel::updateFooters()
{
    QStringList footers;
    bool any = false;
    for (int i = 0; i < m_columns.size(); ++i) {
        const GridColumn &c = m_columns.at(i);
        switch (c.footerType) {
        case FooterValueType::None:
            footers << QString();
            break;
        case FooterValueType::StaticText:
            footers << c.footerValue;
            any = true;
            break;
        case FooterValueType::Count:
            footers << (c.footerFormat.isEmpty() ? QString::number(m_rowCount) : FormatNumber(double(m_rowCount), c.footerFormat));
            any = true;
            break;
        case FooterValueType::Sum: {
            long double sum = 0;
            const int field = m_fieldIndex.at(i);
            if (m_dataSet && field >= 0) {
                for (int row = 0; row < m_rowCount; ++row) {
                    double x = 0;
                    if (NumberOfValue(m_dataSet->value(row, field), x))
                        sum += x;
                }
            }
            footers << FormatNumber(sum, c.footerFormat.isEmpty() ? QStringLiteral("0.##############") : c.footerFormat);
            any = true;
            break;
        }
        }
    }
    if (footers == m_footers)
        return;
    m_footers = footers;
    if (any)
        emit footersChanged();
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataSet)
        return QVariant();
    const int row = index.row(), column = index.column();
    if (row >= m_rowCount || column >= m_columns.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return displayText(row, column);
    case Qt::TextAlignmentRole: {
        const GridColumn &c = m_columns.at(column);
        if (c.alignment)
            return QVariant::fromValue(c.alignment | (c.alignment & Qt::AlignVertical_Mask ? Qt::Alignment() : Qt::AlignVCenter));
        const bool right = c.keyList.isEmpty() && db::isNumberValue(m_dataSet->value(row, m_fieldIndex.at(column)));
        return QVariant::fromValue((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return m_rowIndicator && section == m_indicatorRow ? QVariant(kCurrentRowGlyph) : QVariant(QString());
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant();
    }
    if (section < 0 || section >= m_columns.size())
        return QVariant();
    const GridColumn &c = m_columns.at(section);
    if (role == Qt::DisplayRole)
        return c.title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(c.titleAlignment);
    return QVariant();
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void DataSetModel::sortBy(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size())
        return;
    if (!m_dataSet)
        throw db::DbError(QStringLiteral("Operation is not allowed when the object is closed."));
    m_dataSet->sort(m_columns.at(column).fieldName, order);
    setSortMarker(column, order == Qt::AscendingOrder ? SortMarker::Down : SortMarker::Up);
}
