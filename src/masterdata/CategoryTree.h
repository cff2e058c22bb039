#pragma once

#include "masterdata/CategoryTable.h"
#include "masterdata/GoodsClass.h"

#include "platform/db/Command.h"
#include "platform/db/DataSet.h"

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// Loads a category table into a tree view and performs the maintenance operations on it,
// keeping the view and the table in step. The departments and the expense categories
// windows each own one; they differ only by the CategoryTable. Failures are reported
// through Prompts with "读取数据出现错误。" and leave the window open.
class CategoryTree {
public:
    enum class Icons { Shown, None };

    CategoryTree(QTreeWidget *tree, const CategoryTable &table, Icons icons = Icons::Shown);

    QTreeWidget *view() const { return m_tree; }
    const CategoryTable &table() const { return m_table; }

    // Every level as stored; siblings sorted by name; nothing selected.
    bool LoadFullDepth();
    // Two levels; siblings sorted by name; the first node selected.
    bool LoadTwoLevel();

    // First node in view order whose code is exactly `code`, or nullptr.
    QTreeWidgetItem *FindNode(const QString &code) const;
    // The code for a new child of `parentCode` ("" = top level), or "" after a report.
    QString GetMaxNum(const QString &parentCode);

    // The four maintenance operations on the view's selected node.
    void AddRoot();
    void AddSon();
    void Rename();
    void Delete();

private:
    bool load(bool twoLevel);
    QTreeWidgetItem *selected() const;
    QString askName(const QString &prompt, const QString &initial) const;
    QTreeWidgetItem *makeItem(const GoodsClass &data) const;

    QTreeWidget *m_tree;
    CategoryTable m_table;
    Icons m_icons;
    db::DataSet dsTree;
    db::DataSet dsTmp;
    db::Command ADOCommand1;
};
