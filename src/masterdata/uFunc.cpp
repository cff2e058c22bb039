#include "masterdata/uFunc.h"

#include "masterdata/Buttons.h"
#include "masterdata/uFuncEdit.h"
#include "platform/Prompts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/grid/DBGridEh.h"
#include "shell/uDM.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmFunc::TfrmFunc(QWidget *parent) : QDialog(parent), dsQuery(new db::DataSet(DM->ADOConnection1, this))
{
    setObjectName(QStringLiteral("frmFunc"));
    setWindowTitle(QStringLiteral("职位信息管理"));

    DBGridEh1 = new DBGridEh(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setColumns({
        GridColumn(QStringLiteral("ID")).hidden(),
        GridColumn(QStringLiteral("FuncCode"), QStringLiteral("职位编码"), 117),
        GridColumn(QStringLiteral("FuncName"), QStringLiteral("职位名称"), 310),
    });
    DBGridEh1->setDataSet(dsQuery);

    Button1 = MakeButton(this, "Button1", QStringLiteral("增加(&A)"));
    Button2 = MakeButton(this, "Button2", QStringLiteral("修改(&E)"));
    Button3 = MakeButton(this, "Button3", QStringLiteral("删除(&D)"));
    Button4 = MakeButton(this, "Button4", QStringLiteral("关闭(&X)"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {Button1, Button2, Button3, Button4})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 8);
    layout->setSpacing(8);
    layout->addWidget(DBGridEh1, 1);
    layout->addLayout(buttons);
    setFixedSize(530, 300);

    connect(Button1, &QPushButton::clicked, this, &TfrmFunc::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmFunc::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmFunc::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmFunc::Button4Click);
    connect(DBGridEh1, &DBGridEh::dblClick, this, &TfrmFunc::DBGridEh1DblClick);
}

TfrmFunc::~TfrmFunc() = default;

bool TfrmFunc::ReadyData()
{
    try {
        dsQuery->close();
        dsQuery->setCommandText(QStringLiteral("Select * from TFunc Order by FuncCode"));
        dsQuery->open();
    } catch (const db::DbError &) {
        return false; // the window simply does not open
    }
    return true;
}

void TfrmFunc::Button1Click()
{
    if (OpenFuncEditor(-1))
        ReadyData();
}

void TfrmFunc::Button2Click()
{
    if (!dsQuery->active() || dsQuery->isEmpty())
        return;
    if (OpenFuncEditor(int(dsQuery->fieldByName(QStringLiteral("ID")).asInteger())))
        ReadyData();
}

void TfrmFunc::Button3Click()
{
    if (!dsQuery->active() || dsQuery->isEmpty())
        return;
    if (!Prompts::instance().confirm(QStringLiteral("您确认删除选定的职位记录吗？")))
        return;
    try {
        dsQuery->deleteRecord();
    } catch (const db::DbError &) {
        Prompts::instance().message(QStringLiteral("指定职位信息可能已经被使用，不能删除！"));
    }
}

void TfrmFunc::Button4Click()
{
    close();
}

void TfrmFunc::DBGridEh1DblClick()
{
    Button2Click();
}

bool OpenFuncWindow()
{
    TfrmFunc form(QApplication::activeWindow());
    if (!form.ReadyData())
        return false;
    form.exec();
    return true;
}
