#include "masterdata/CategoryTree.h"

#include "masterdata/CategoryCodes.h"
#include "masterdata/CategoryItem.h"
#include "masterdata/CategoryLayout.h"
#include "platform/Prompts.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/text/Gbk.h"
#include "shell/uDM.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

const QString kReadError = QStringLiteral("读取数据出现错误。");
constexpr int kNameBytes = 30;

} // namespace

CategoryTree::CategoryTree(QTreeWidget *tree, const CategoryTable &table, Icons icons)
    : m_tree(tree),
      m_table(table),
      m_icons(icons),
      dsTree(DM->ADOConnection1),
      dsTmp(DM->ADOConnection1),
      ADOCommand1(DM->ADOConnection1)
{
    if (m_icons == Icons::Shown) {
        m_topIcon = TreeIcon(LookIcon::TreeTop);
        m_subIcon = TreeIcon(LookIcon::TreeSub);
    }
}

bool CategoryTree::loadFullDepth()
{
    return load(false);
}

bool CategoryTree::loadTwoLevel()
{
    return load(true);
}

bool CategoryTree::load(bool twoLevel)
{
    m_tree->setSortingEnabled(false);
    QVector<GoodsClass> rows;
    try {
        rows = ReadCategoryRows(dsTree, m_table);
    } catch (const db::DbError &) {
        dsTree.close();
        Prompts::instance().message(kReadError);
        return false;
    }
    const QVector<CategoryNodePlan> plan = twoLevel ? PlanTwoLevel(rows) : PlanFullDepth(rows);
    QVector<QTreeWidgetItem *> items;
    items.reserve(plan.size());
    for (const CategoryNodePlan &node : plan) {
        QTreeWidgetItem *item = makeItem(node.data);
        if (node.parent < 0)
            m_tree->addTopLevelItem(item);
        else
            items.at(node.parent)->addChild(item);
        items.append(item);
    }
    // Sorted once here; later additions stay after their siblings until a rename re-sorts.
    m_tree->sortItems(0, Qt::AscendingOrder);
    if (twoLevel && m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
    return true;
}

QTreeWidgetItem *CategoryTree::makeItem(const GoodsClass &data) const
{
    auto *item = new CategoryItem(data);
    if (m_icons == Icons::Shown)
        item->setIcon(0, data.nLeveal == 0 ? m_topIcon : m_subIcon);
    return item;
}

QTreeWidgetItem *CategoryTree::FindNode(const QString &code) const
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        const GoodsClass *data = PayloadOf(*it);
        if (data && data->TypeCode == code)
            return *it;
    }
    return nullptr;
}

QString CategoryTree::GetMaxNum(const QString &parentCode)
{
    const DrawnCode drawn = DrawChildCode(dsTmp, m_table, parentCode);
    if (drawn.status != DrawnCode::Ok) {
        Prompts::instance().message(DrawnCodeMessage(drawn.status));
        return QString();
    }
    return drawn.code;
}

QString CategoryTree::askName(const QString &prompt, const QString &initial) const
{
    const QString name = Prompts::instance().input(prompt, prompt, initial);
    return CutToGbkBytes(name, kNameBytes);
}

void CategoryTree::addRoot()
{
    const QString name = askName(m_table.addRootPrompt, QString());
    if (name.isEmpty())
        return;
    const QString code = GetMaxNum(QString());
    if (code.isEmpty())
        return;
    // The node joins the view only once the table holds the row, so no child can ever be
    // drawn below a category that does not exist.
    try {
        ADOCommand1.setCommandText(m_table.insertSql(code, name, QString(), 0));
        ADOCommand1.execute();
    } catch (const db::DbError &) {
        Prompts::instance().message(kReadError);
        return;
    }
    m_tree->addTopLevelItem(makeItem({0, code, QString(), name, 0}));
}

void CategoryTree::addSon()
{
    QTreeWidgetItem *parent = SelectedNode(m_tree);
    if (!parent)
        return;
    const int parentLevel = ViewLevel(parent);
    if (parentLevel > m_table.deepestParentLevel) {
        Prompts::instance().message(m_table.levelMessage);
        return;
    }
    const QString name = askName(m_table.addSonPrompt, QString());
    if (name.isEmpty())
        return;
    const QString parentCode = PayloadOf(parent)->TypeCode;
    const QString code = GetMaxNum(parentCode);
    if (code.isEmpty())
        return;
    const int level = parentLevel + 1;
    try {
        ADOCommand1.setCommandText(m_table.insertSql(code, name, parentCode, level));
        ADOCommand1.execute();
    } catch (const db::DbError &) {
        Prompts::instance().message(kReadError);
        return;
    }
    parent->addChild(makeItem({0, code, parentCode, name, level}));
    parent->setExpanded(true);
}

void CategoryTree::rename()
{
    QTreeWidgetItem *item = SelectedNode(m_tree);
    if (!item)
        return;
    const QString name = askName(m_table.renamePrompt, item->text(0));
    if (name.isEmpty())
        return;
    GoodsClass *data = PayloadOf(item);
    db::Connection *connection = DM->ADOConnection1;
    // Both statements or neither: the records must not carry a name the tree does not.
    const bool ownTransaction = !connection->inTransaction();
    try {
        if (ownTransaction)
            connection->beginTrans();
        ADOCommand1.setCommandText(m_table.renameSql(data->TypeCode, name));
        ADOCommand1.execute();
        const QString bills = m_table.renameBillsSql(data->TypeCode, name);
        if (!bills.isEmpty()) {
            ADOCommand1.setCommandText(bills);
            ADOCommand1.execute();
        }
        if (ownTransaction)
            connection->commitTrans();
    } catch (const db::DbError &) {
        if (ownTransaction && connection->inTransaction()) {
            try {
                connection->rollbackTrans();
            } catch (const db::DbError &) {
                // The failure is reported below; nothing more to undo.
            }
        }
        Prompts::instance().message(kReadError);
        return;
    }
    item->setText(0, name);
    data->TypeName = name;
    QTreeWidgetItem *siblings = item->parent() ? item->parent() : m_tree->invisibleRootItem();
    siblings->sortChildren(0, Qt::AscendingOrder);
    m_tree->setCurrentItem(item);
}

void CategoryTree::remove()
{
    QTreeWidgetItem *item = SelectedNode(m_tree);
    if (!item)
        return;
    if (item->childCount() > 0) {
        Prompts::instance().message(QStringLiteral("指定分类下有子分类，不能直接删除！请先删除子分类！"));
        return;
    }
    if (!Prompts::instance().confirm(QStringLiteral("您确认删除吗？")))
        return;
    try {
        ADOCommand1.setCommandText(m_table.deleteSql(PayloadOf(item)->TypeCode));
        ADOCommand1.execute();
    } catch (const db::DbError &) {
        Prompts::instance().message(kReadError);
        return;
    }
    delete item;
}
