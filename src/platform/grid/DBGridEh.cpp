#include "platform/grid/DBGridEh.h"

#include "platform/Prompts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataSetModel.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include <algorithm>

// The title row: draws each column's own sort marker, whatever Qt's single sort indicator says.
class GridTitles : public QHeaderView {
public:
    explicit GridTitles(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override
    {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        option->sortIndicator = QStyleOptionHeader::None;
        if (const auto *m = qobject_cast<const DataSetModel *>(model()); m && logicalIndex < m->columns().size()) {
            switch (m->columns().at(logicalIndex).sortMarker) {
            case SortMarker::Down:
                option->sortIndicator = QStyleOptionHeader::SortDown;
                break;
            case SortMarker::Up:
                option->sortIndicator = QStyleOptionHeader::SortUp;
                break;
            case SortMarker::None:
                break;
            }
        }
    }
};

// The footer row: a header strip under the rows whose sections follow the title sections and
// show the footer texts.
class GridFooter : public QHeaderView {
public:
    explicit GridFooter(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
        setFocusPolicy(Qt::NoFocus);
        setSectionResizeMode(QHeaderView::Fixed);
    }

    // Room on the left under the row indicator column.
    void setLeftMargin(int pixels)
    {
        if (viewportMargins().left() != pixels)
            setViewportMargins(pixels, 0, 0, 0);
    }

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override
    {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        option->sortIndicator = QStyleOptionHeader::None;
        option->icon = QIcon();
        option->text.clear();
        if (const auto *m = qobject_cast<const DataSetModel *>(model()); m && logicalIndex < m->columns().size()) {
            option->text = m->footerText(logicalIndex);
            const Qt::Alignment a = m->columns().at(logicalIndex).footerAlignment;
            option->textAlignment = a & Qt::AlignVertical_Mask ? a : a | Qt::AlignVCenter;
        }
    }
};

DBGridEh::DBGridEh(QWidget *parent)
    : QTableView(parent), m_model(new DataSetModel(this)), m_titles(new GridTitles(this)), m_footer(new GridFooter(this))
{
    setHorizontalHeader(m_titles);
    setModel(m_model);
    m_footer->setModel(m_model);
    m_footer->hide();

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    m_titles->setSectionsClickable(true);
    m_titles->setHighlightSections(false);
    m_titles->setDefaultAlignment(Qt::AlignCenter);
    m_titles->setSectionResizeMode(QHeaderView::Interactive);
    m_titles->setMinimumSectionSize(8);
    m_footer->setMinimumSectionSize(0);

    // Fixed row heights keep a grid of 10^5 rows as quick as one of ten.
    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 8);
    rows->setMinimumWidth(16);
    rows->setMaximumWidth(16);
    rows->setHighlightSections(false);
    rows->setSectionsClickable(false);
    rows->hide();

    connect(m_titles, &QHeaderView::sectionClicked, this, &DBGridEh::onTitleClicked);
    connect(m_titles, &QHeaderView::sectionResized, this, [this](int section) {
        syncFooterSection(section);
        m_footer->setOffset(m_titles->offset());
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBGridEh::applyColumnLayout);
    connect(m_model, &DataSetModel::footersChanged, m_footer->viewport(), qOverload<>(&QWidget::update));
}

DBGridEh::~DBGridEh() = default;

void DBGridEh::setDataSet(db::DataSet *dataSet)
{
    if (db::DataSet *old = m_model->dataSet())
        disconnect(old, nullptr, this, nullptr);
    m_model->setDataSet(dataSet);
    if (dataSet) {
        connect(dataSet, &db::DataSet::currentChanged, this, &DBGridEh::followDataSet);
        followDataSet(dataSet->recNo());
    }
}

db::DataSet *DBGridEh::dataSet() const
{
    return m_model->dataSet();
}

void DBGridEh::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
}

const QList<GridColumn> &DBGridEh::columns() const
{
    return m_model->columns();
}

int DBGridEh::columnIndex(const QString &fieldName) const
{
    return m_model->columnIndex(fieldName);
}

QString DBGridEh::displayText(int row, int column) const
{
    return m_model->displayText(row, column);
}

QString DBGridEh::footerText(int column) const
{
    return m_model->footerText(column);
}

double DBGridEh::widthScale() const
{
    // Widths were chosen for a font of 12-pixel Chinese characters and 6-pixel digits.
    const QFontMetrics &m = fontMetrics();
    return std::max({1.0, m.horizontalAdvance(QChar(0x4E2D)) / 12.0, m.horizontalAdvance(QLatin1Char('0')) / 6.0});
}

void DBGridEh::applyColumnLayout()
{
    const double scale = widthScale();
    const QList<GridColumn> &list = m_model->columns();
    for (int i = 0; i < list.size(); ++i) {
        const GridColumn &c = list.at(i);
        int width = qRound((c.width > 0 ? c.width : 64) * scale);
        if (!m_model->hasColumnList())
            width = std::max(width, fontMetrics().horizontalAdvance(c.title) + 16);
        setColumnHidden(i, !c.visible);
        if (c.visible)
            m_titles->resizeSection(i, width);
    }
    syncFooterSections();
}

void DBGridEh::syncFooterSection(int section)
{
    const bool hidden = m_titles->isSectionHidden(section);
    m_footer->setSectionHidden(section, hidden);
    if (!hidden)
        m_footer->resizeSection(section, m_titles->sectionSize(section));
}

void DBGridEh::syncFooterSections()
{
    for (int i = 0; i < m_model->columnCount(); ++i)
        syncFooterSection(i);
    m_footer->setOffset(m_titles->offset());
}

void DBGridEh::setFooterVisible(bool on)
{
    m_footerVisible = on;
    m_footer->setVisible(on);
    syncFooterSections();
    updateGeometries();
}

void DBGridEh::setRowIndicator(bool on)
{
    m_model->setRowIndicator(on);
    verticalHeader()->setVisible(on);
}

bool DBGridEh::rowIndicator() const
{
    return m_model->rowIndicator();
}

void DBGridEh::setSortMarker(int column, SortMarker marker)
{
    m_model->setSortMarker(column, marker);
}

SortMarker DBGridEh::sortMarker(int column) const
{
    return column >= 0 && column < m_model->columns().size() ? m_model->columns().at(column).sortMarker : SortMarker::None;
}

void DBGridEh::sortDataSet(int column, Qt::SortOrder order)
{
    m_model->sortBy(column, order);
}

int DBGridEh::currentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

void DBGridEh::onTitleClicked(int section)
{
    emit titleClick(section);
    if (!m_autoSort)
        return;
    const Qt::SortOrder order = sortMarker(section) == SortMarker::Down ? Qt::DescendingOrder : Qt::AscendingOrder;
    try {
        sortDataSet(section, order);
    } catch (const db::DbError &e) {
        Prompts::instance().message(e.message());
    }
}

void DBGridEh::followDataSet(int row)
{
    if (m_syncing)
        return; // the dataset moved because the view told it to
    m_syncing = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
    } else {
        int column = currentIndex().isValid() ? currentIndex().column() : -1;
        if (column < 0 || isColumnHidden(column)) {
            column = 0;
            while (column < m_model->columnCount() - 1 && isColumnHidden(column))
                ++column;
        }
        const QModelIndex index = m_model->index(row, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_syncing = false;
}

void DBGridEh::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_syncing || m_model->followingDataSet() || !current.isValid())
        return;
    db::DataSet *ds = m_model->dataSet();
    if (!ds || !ds->active() || current.row() == ds->recNo())
        return;
    m_syncing = true;
    try {
        ds->setRecNo(current.row());
        m_syncing = false;
    } catch (const db::DbError &e) {
        // A pending edit that the database refused: stay on the dataset's row.
        m_syncing = false;
        Prompts::instance().message(e.message());
        followDataSet(ds->recNo());
    }
}

void DBGridEh::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit dblClick();
}

void DBGridEh::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (!m_footerVisible)
        return;
    m_footer->setOffset(m_titles->offset());
    keepTopRowAtScrollValue();
}

void DBGridEh::keepTopRowAtScrollValue()
{
    // At the end of its range the row header puts the last row at the bottom of the whole
    // viewport, under the footer; the row of the scroll value belongs at the top instead.
    QScrollBar *bar = verticalScrollBar();
    if (verticalScrollMode() != ScrollPerItem || bar->maximum() <= 0 || bar->value() != bar->maximum())
        return;
    QHeaderView *rows = verticalHeader();
    const int wanted = rows->sectionPosition(rows->logicalIndex(bar->value()));
    if (wanted >= 0 && rows->offset() != wanted) {
        rows->setOffset(wanted);
        viewport()->update();
    }
}

void DBGridEh::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (!m_footerVisible || !index.isValid())
        return;
    // The footer covers the bottom of the rows: a row that ends under it is scrolled up.
    const int hiddenPixels = visualRect(index).bottom() + 1 - (viewport()->height() - m_footer->height());
    if (hiddenPixels <= 0)
        return;
    QScrollBar *bar = verticalScrollBar();
    if (verticalScrollMode() == ScrollPerItem) {
        const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
        bar->setValue(bar->value() + (hiddenPixels + rowHeight - 1) / rowHeight);
    } else {
        bar->setValue(bar->value() + hiddenPixels);
    }
}

void DBGridEh::updateGeometries()
{
    QTableView::updateGeometries();
    layoutFooter();
}

void DBGridEh::layoutFooter()
{
    if (!m_footerVisible)
        return;
    // The footer lies over the bottom of the viewport, above the horizontal scroll bar; the
    // vertical range grows so that every row can be scrolled up out from under it.
    const QRect view = viewport()->geometry();
    const int indicator = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    const int footerHeight = m_footer->sizeHint().height();
    m_footer->setLeftMargin(indicator);
    m_footer->setGeometry(view.left() - indicator, view.bottom() + 1 - footerHeight, view.width() + indicator, footerHeight);
    m_footer->setOffset(m_titles->offset());
    m_footer->raise();

    const int above = std::max(0, view.height() - footerHeight);
    QScrollBar *bar = verticalScrollBar();
    if (verticalScrollMode() == ScrollPerItem) {
        // Rows have one fixed height.
        const int fit = std::max(1, above / std::max(1, verticalHeader()->defaultSectionSize()));
        bar->setPageStep(fit);
        bar->setRange(0, std::max(0, m_model->rowCount() - fit));
        keepTopRowAtScrollValue();
    } else {
        bar->setPageStep(std::max(1, above));
        bar->setRange(0, std::max(0, verticalHeader()->length() - above));
    }
}
