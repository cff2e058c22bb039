#pragma once

#include "masterdata/GoodsClass.h"
#include "shell/Look.h"

#include <QIcon>
#include <QTreeWidgetItem>

class QTreeWidget;

// A node of a category tree view: owns its GoodsClass record and sorts among its siblings
// by name with the Chinese collator.
class CategoryItem : public QTreeWidgetItem {
public:
    explicit CategoryItem(const GoodsClass &data);

    GoodsClass data;

    bool operator<(const QTreeWidgetItem &other) const override;
};

// The record of a node; nullptr for no node or a node of another kind.
GoodsClass *PayloadOf(QTreeWidgetItem *item);
const GoodsClass *PayloadOf(const QTreeWidgetItem *item);

// The node images of the trees (TreeTop, TreeSub, TreeEmployee), alike selected or not.
QIcon TreeIcon(LookIcon kind);

// The view's current node when it is selected and carries a record; nullptr otherwise (a view
// makes a node current without selecting it, for instance when it gets the focus).
QTreeWidgetItem *SelectedNode(const QTreeWidget *tree);

// Depth of a node in its view: 0 for a top-level node.
int ViewLevel(const QTreeWidgetItem *item);

// Read-only, single selection, no header, selection kept visible, hot tracking; a node
// expands when it is selected and the node that loses the selection collapses (unless it
// holds the new one).
void SetupCategoryView(QTreeWidget *tree);
