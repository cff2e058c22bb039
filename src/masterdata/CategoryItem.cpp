#include "masterdata/CategoryItem.h"

#include "platform/text/ChineseCollator.h"

#include <QHeaderView>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <memory>

namespace {

constexpr int kCategoryItemType = QTreeWidgetItem::UserType + 1;

bool isAncestor(const QModelIndex &ancestor, const QModelIndex &index)
{
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        if (p == ancestor)
            return true;
    return false;
}

// Draws hot tracking (the node under the mouse underlined in the highlight colour) and keeps a
// node that is merely current from looking chosen: a view that gets the focus without a
// selection makes its first node current, and a focus frame there would suggest a choice the
// buttons do not see.
class CategoryItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->state & QStyle::State_Selected)
            return;
        option->state &= ~QStyle::State_HasFocus;
        if (option->state & QStyle::State_MouseOver) {
            option->font.setUnderline(true);
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Highlight));
        }
    }
};

} // namespace

CategoryItem::CategoryItem(const GoodsClass &record) : QTreeWidgetItem(kCategoryItemType), data(record)
{
    setText(0, record.TypeName);
}

bool CategoryItem::operator<(const QTreeWidgetItem &other) const
{
    return CompareByName(text(0), other.text(0)) < 0;
}

GoodsClass *PayloadOf(QTreeWidgetItem *item)
{
    if (!item || item->type() != kCategoryItemType)
        return nullptr;
    return &static_cast<CategoryItem *>(item)->data;
}

const GoodsClass *PayloadOf(const QTreeWidgetItem *item)
{
    if (!item || item->type() != kCategoryItemType)
        return nullptr;
    return &static_cast<const CategoryItem *>(item)->data;
}

QIcon TreeIcon(LookIcon kind)
{
    // The same picture whether or not the node is selected.
    const QIcon drawn = MakeIcon(kind);
    QIcon icon;
    for (const int size : {16, 20, 24, 32}) {
        const QPixmap pixmap = drawn.pixmap(size);
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected);
    }
    return icon;
}

QTreeWidgetItem *SelectedNode(const QTreeWidget *tree)
{
    QTreeWidgetItem *item = tree->currentItem();
    return item && item->isSelected() && PayloadOf(item) ? item : nullptr;
}

int ViewLevel(const QTreeWidgetItem *item)
{
    int level = 0;
    for (const QTreeWidgetItem *p = item ? item->parent() : nullptr; p; p = p->parent())
        ++level;
    return level;
}

void SetupCategoryView(QTreeWidget *tree)
{
    tree->setColumnCount(1);
    tree->header()->hide();
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSortingEnabled(false); // sorted on load and on rename only: added nodes stay last
    tree->setMouseTracking(true);
    tree->setAttribute(Qt::WA_Hover);
    tree->setUniformRowHeights(true);
    tree->setItemDelegate(new CategoryItemDelegate(tree));
    // Selection (not the current item) decides: a mouse press makes a node current before
    // it selects it.
    auto expanded = std::make_shared<QPersistentModelIndex>();
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, tree, [tree, expanded] {
        const QModelIndexList selected = tree->selectionModel()->selectedIndexes();
        const QModelIndex now = selected.isEmpty() ? QModelIndex() : selected.first();
        if (expanded->isValid() && *expanded != now && !isAncestor(*expanded, now))
            tree->collapse(*expanded);
        if (now.isValid())
            tree->expand(now);
        *expanded = now;
    });
}
