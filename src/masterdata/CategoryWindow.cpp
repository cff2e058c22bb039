#include "masterdata/CategoryWindow.h"

#include "masterdata/Buttons.h"
#include "masterdata/CategoryItem.h"
#include "masterdata/CategoryTree.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CategoryWindow::CategoryWindow(const CategoryTable &table, const Captions &captions, QWidget *parent)
    : QDialog(parent)
{
    GroupBox1 = new QGroupBox(captions.group, this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Tree = new QTreeWidget(GroupBox1);
    Tree->setObjectName(QStringLiteral("Tree"));
    SetupCategoryView(Tree);

    auto *panel = new QWidget(GroupBox1);
    panel->setObjectName(QStringLiteral("Panel1"));
    cmdAddRoot = MakeSpeedButton(panel, "cmdAddRoot", QStringLiteral("添加根"), QStringLiteral("添加根分组"));
    cndAddSon = MakeSpeedButton(panel, "cndAddSon", QStringLiteral("添加下级"), QStringLiteral("添加下级分组"));
    cmdEdit = MakeSpeedButton(panel, "cmdEdit", QStringLiteral("修改"), QStringLiteral("修改分组名称"));
    cmdDelete = MakeSpeedButton(panel, "cmdDelete", captions.deleteButton, QStringLiteral("删除选定分组"));
    sbSelect = MakeSpeedButton(panel, "sbSelect", captions.select, captions.selectHint);
    sbSelect->setVisible(false);
    m_treeButtons = new QHBoxLayout(panel);
    m_treeButtons->setContentsMargins(0, 2, 0, 0);
    m_treeButtons->setSpacing(3);
    for (QToolButton *b : {cmdAddRoot, cndAddSon, cmdEdit, cmdDelete, sbSelect})
        m_treeButtons->addWidget(b);
    m_treeButtons->addStretch();

    auto *box = new QVBoxLayout(GroupBox1);
    box->setContentsMargins(4, 4, 4, 4);
    box->addWidget(Tree, 1);
    box->addWidget(panel);

    m_tree = std::make_unique<CategoryTree>(Tree, table);

    connect(cmdAddRoot, &QToolButton::clicked, this, &CategoryWindow::cmdAddRootClick);
    connect(cndAddSon, &QToolButton::clicked, this, &CategoryWindow::cndAddSonClick);
    connect(cmdEdit, &QToolButton::clicked, this, &CategoryWindow::cmdEditClick);
    connect(cmdDelete, &QToolButton::clicked, this, &CategoryWindow::cmdDeleteClick);
}

CategoryWindow::~CategoryWindow() = default;

QToolButton *CategoryWindow::addTreeButton(const char *name, const QString &caption, const QString &hint)
{
    QToolButton *button = MakeSpeedButton(m_treeButtons->parentWidget(), name, caption, hint);
    m_treeButtons->insertWidget(m_treeButtons->count() - 1, button); // before the stretch
    return button;
}

bool CategoryWindow::loadTree()
{
    if (SelectMode == 1) {
        for (QToolButton *b : {cmdAddRoot, cndAddSon, cmdEdit, cmdDelete})
            b->setVisible(false);
        sbSelect->setVisible(true);
    }
    return m_tree->loadFullDepth();
}

const GoodsClass *CategoryWindow::selectedCategory() const
{
    return PayloadOf(SelectedNode(Tree));
}

bool CategoryWindow::openAs(int mode)
{
    SelectMode = mode;
    if (!ReadyData())
        return false;
    exec();
    return true;
}

QTreeWidgetItem *CategoryWindow::FindNode(const QString &code) const
{
    return m_tree->FindNode(code);
}

QString CategoryWindow::GetMaxNum(const QString &parentCode)
{
    return m_tree->GetMaxNum(parentCode);
}

void CategoryWindow::cmdAddRootClick()
{
    m_tree->addRoot();
}

void CategoryWindow::cndAddSonClick()
{
    m_tree->addSon();
}

void CategoryWindow::cmdEditClick()
{
    m_tree->rename();
}

void CategoryWindow::cmdDeleteClick()
{
    m_tree->remove();
}
