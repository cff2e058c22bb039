#pragma once

#include "masterdata/CategoryTable.h"
#include "masterdata/GoodsClass.h"

#include "platform/db/Command.h"
#include "platform/db/DataSet.h"

#include <QIcon>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// Loads a category table into a tree view and performs the maintenance operations on it,
// keeping the view and the table in step. Every window that shows a category tree owns one;
// the trees differ only by their CategoryTable. Failures are reported through Prompts with
// "读取数据出现错误。" and leave the window open.
class CategoryTree {
public:
    enum class Icons { Shown, None };

    CategoryTree(QTreeWidget *tree, const CategoryTable &table, Icons icons = Icons::Shown);

    // Every level as stored; siblings sorted by name; nothing selected.
    bool loadFullDepth();
    // Two levels; siblings sorted by name; the first node selected.
    bool loadTwoLevel();

    // First node in view order whose code is exactly `code`, or nullptr.
    QTreeWidgetItem *FindNode(const QString &code) const;
    // The code for a new child of `parentCode` ("" = top level), or "" after a report.
    QString GetMaxNum(const QString &parentCode);

    // The four maintenance operations on the view's selected node.
    void addRoot();
    void addSon();
    void rename();
    void remove();

private:
    bool load(bool twoLevel);
    QString askName(const QString &prompt, const QString &initial) const;
    QTreeWidgetItem *makeItem(const GoodsClass &data) const;

    QTreeWidget *m_tree;
    CategoryTable m_table;
    Icons m_icons;
    QIcon m_topIcon; // drawn once for all nodes
    QIcon m_subIcon;
    db::DataSet dsTree;
    db::DataSet dsTmp;
    db::Command ADOCommand1;
};
