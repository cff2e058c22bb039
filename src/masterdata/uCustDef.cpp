#include "masterdata/uCustDef.h"

#include "masterdata/CategoryItem.h"
#include "masterdata/CategoryTree.h"
#include "masterdata/SpeedButton.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmCustDef::TfrmCustDef(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCustDef"));
    setWindowTitle(QStringLiteral("费用类别定义"));
    setFixedSize(494, 389);

    GroupBox1 = new QGroupBox(QStringLiteral("费用分类"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Tree = new QTreeWidget(GroupBox1);
    Tree->setObjectName(QStringLiteral("Tree"));
    SetupCategoryView(Tree);

    auto *panel = new QWidget(GroupBox1);
    panel->setObjectName(QStringLiteral("Panel1"));
    cmdAddRoot = MakeSpeedButton(panel, "cmdAddRoot", QStringLiteral("添加根"), QStringLiteral("添加根分组"));
    cndAddSon = MakeSpeedButton(panel, "cndAddSon", QStringLiteral("添加下级"), QStringLiteral("添加下级分组"));
    cmdEdit = MakeSpeedButton(panel, "cmdEdit", QStringLiteral("修改"), QStringLiteral("修改分组名称"));
    cmdDelete = MakeSpeedButton(panel, "cmdDelete", QStringLiteral("删除(&D)"), QStringLiteral("删除选定分组"));
    sbSelect = MakeSpeedButton(panel, "sbSelect", QStringLiteral("选中(&S)"), QStringLiteral("选中选定分组"));
    SpeedButton1 = MakeSpeedButton(panel, "SpeedButton1", QStringLiteral("退出(&X)"), QString());
    sbSelect->setVisible(false);

    auto *buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 4, 0, 0);
    for (QToolButton *b : {cmdAddRoot, cndAddSon, cmdEdit, cmdDelete, sbSelect, SpeedButton1})
        buttons->addWidget(b);
    buttons->addStretch();

    auto *box = new QVBoxLayout(GroupBox1);
    box->addWidget(Tree, 1);
    box->addWidget(panel);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(GroupBox1);

    m_tree = std::make_unique<CategoryTree>(Tree, CategoryTable::expenseCategories());

    connect(cmdAddRoot, &QToolButton::clicked, this, &TfrmCustDef::cmdAddRootClick);
    connect(cndAddSon, &QToolButton::clicked, this, &TfrmCustDef::cndAddSonClick);
    connect(cmdEdit, &QToolButton::clicked, this, &TfrmCustDef::cmdEditClick);
    connect(cmdDelete, &QToolButton::clicked, this, &TfrmCustDef::cmdDeleteClick);
    connect(sbSelect, &QToolButton::clicked, this, &TfrmCustDef::sbSelectClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmCustDef::SpeedButton1Click);
    connect(Tree, &QTreeWidget::itemDoubleClicked, this, &TfrmCustDef::TreeDblClick);

    FormCreate();
}

TfrmCustDef::~TfrmCustDef() = default;

void TfrmCustDef::FormCreate()
{
    Cancelled = true;
}

bool TfrmCustDef::ReadyData()
{
    if (SelectMode == 1) {
        for (QToolButton *b : {cmdAddRoot, cndAddSon, cmdEdit, cmdDelete})
            b->setVisible(false);
        sbSelect->setVisible(true);
    }
    return m_tree->LoadFullDepth();
}

QTreeWidgetItem *TfrmCustDef::FindNode(const QString &code) const
{
    return m_tree->FindNode(code);
}

QString TfrmCustDef::GetMaxNum(const QString &parentCode)
{
    return m_tree->GetMaxNum(parentCode);
}

void TfrmCustDef::cmdAddRootClick()
{
    m_tree->AddRoot();
}

void TfrmCustDef::cndAddSonClick()
{
    m_tree->AddSon();
}

void TfrmCustDef::cmdEditClick()
{
    m_tree->Rename();
}

void TfrmCustDef::cmdDeleteClick()
{
    m_tree->Delete();
}

void TfrmCustDef::TreeDblClick()
{
    if (SelectMode == 1)
        sbSelectClick();
    else
        cmdEditClick();
}

void TfrmCustDef::sbSelectClick()
{
    QTreeWidgetItem *item = Tree->currentItem();
    const GoodsClass *data = item && item->isSelected() ? PayloadOf(item) : nullptr;
    if (!data)
        return;
    RetTypeCode = data->TypeCode;
    RetTypeName = data->TypeName;
    Cancelled = false;
    accept();
}

void TfrmCustDef::SpeedButton1Click()
{
    close();
}

bool OpenCustDefWindow()
{
    TfrmCustDef form(QApplication::activeWindow());
    form.SelectMode = 0;
    if (!form.ReadyData())
        return false;
    form.exec();
    return true;
}

bool PickCustType(QString &typeCode, QString &typeName)
{
    TfrmCustDef form(QApplication::activeWindow());
    form.SelectMode = 1;
    if (!form.ReadyData())
        return false;
    form.exec();
    if (form.Cancelled)
        return false;
    typeCode = form.RetTypeCode;
    typeName = form.RetTypeName;
    return true;
}
