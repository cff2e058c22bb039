#include "masterdata/uCustDef.h"

#include "masterdata/CategoryTable.h"
#include "masterdata/GoodsClass.h"

#include <QApplication>
#include <QGroupBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmCustDef::TfrmCustDef(QWidget *parent)
    : CategoryWindow(CategoryTable::expenseCategories(),
                     {QStringLiteral("费用分类"), QStringLiteral("删除(&D)"), QStringLiteral("选中(&S)"),
                      QStringLiteral("选中选定分组")},
                     parent)
{
    setObjectName(QStringLiteral("frmCustDef"));
    setWindowTitle(QStringLiteral("费用类别定义"));
    setFixedSize(494, 389);

    SpeedButton1 = addTreeButton("SpeedButton1", QStringLiteral("退出(&X)"), QString());
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(GroupBox1);

    connect(sbSelect, &QToolButton::clicked, this, &TfrmCustDef::sbSelectClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmCustDef::SpeedButton1Click);
    connect(Tree, &QTreeWidget::itemDoubleClicked, this, &TfrmCustDef::TreeDblClick);

    FormCreate();
}

void TfrmCustDef::FormCreate()
{
    Cancelled = true;
}

bool TfrmCustDef::ReadyData()
{
    return loadTree();
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
    const GoodsClass *data = selectedCategory();
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
    return form.openAs(0);
}

bool PickCustType(QString &typeCode, QString &typeName)
{
    TfrmCustDef form(QApplication::activeWindow());
    if (!form.openAs(1) || form.Cancelled)
        return false;
    typeCode = form.RetTypeCode;
    typeName = form.RetTypeName;
    return true;
}
