#include "masterdata/uEmployee.h"

#include "masterdata/Buttons.h"
#include "masterdata/CategoryTable.h"
#include "masterdata/GoodsClass.h"
#include "masterdata/uEmployeeEdit.h"
#include "platform/Prompts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/grid/DBGridEh.h"
#include "platform/text/SqlText.h"
#include "shell/uDM.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kReadError = QStringLiteral("读取数据出现错误。");
const QString kNoDepartment = QStringLiteral("请首先建立或者选择一个部门分类！");

} // namespace

TfrmEmployee::TfrmEmployee(QWidget *parent)
    : CategoryWindow(CategoryTable::departments(),
                     {QStringLiteral("部门分类"), QStringLiteral("删除"), QStringLiteral("选中部门"),
                      QStringLiteral("选中分组名称")},
                     parent),
      dsQuery(new db::DataSet(DM->ADOConnection1, this)),
      ADOCommand1(DM->ADOConnection1)
{
    setObjectName(QStringLiteral("frmEmployee"));
    setWindowTitle(QStringLiteral("雇员信息管理"));
    resize(773, 481);
    GroupBox1->setFixedWidth(230);

    // Right: the employees of the selected department.
    GroupBox2 = new QGroupBox(QStringLiteral("员工资料列表"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    DBGridEh1 = new DBGridEh(GroupBox2);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    // Phone numbers, e-mail addresses and addresses get room for a whole typical value.
    DBGridEh1->setColumns({
        GridColumn(QStringLiteral("ID")).hidden(),
        GridColumn(QStringLiteral("TypeCode")).hidden(),
        GridColumn(QStringLiteral("UserName"), QStringLiteral("姓名"), 64),
        GridColumn(QStringLiteral("Sex"), QStringLiteral("性别"), 30)
            .mapped({QStringLiteral("0"), QStringLiteral("1")}, {QStringLiteral("男"), QStringLiteral("女")}),
        GridColumn(QStringLiteral("FuncName"), QStringLiteral("职位"), 80),
        GridColumn(QStringLiteral("MaxLimit"), QStringLiteral("费用限额"), 67).format(QStringLiteral("0.00")),
        GridColumn(QStringLiteral("ZZStu"), QStringLiteral("在职状态"), 48)
            .mapped({QStringLiteral("0"), QStringLiteral("1")}, {QStringLiteral("离职"), QStringLiteral("在职")}),
        GridColumn(QStringLiteral("TelePhone"), QStringLiteral("电话"), 92),
        GridColumn(QStringLiteral("MobilePhone"), QStringLiteral("手机"), 88),
        GridColumn(QStringLiteral("EMail"), QStringLiteral("EMail"), 150),
        GridColumn(QStringLiteral("Address"), QStringLiteral("联系地址"), 180),
        GridColumn(QStringLiteral("PostCode"), QStringLiteral("邮政编码"), 50),
        GridColumn(QStringLiteral("Desp"), QStringLiteral("备注"), 171),
    });
    dsQuery->setCommandText(QStringLiteral("select * from TEmployee"));
    DBGridEh1->setDataSet(dsQuery);

    auto *listPanel = new QWidget(GroupBox2);
    listPanel->setObjectName(QStringLiteral("Panel2"));
    cmdAddClient = MakeButton(listPanel, "cmdAddClient", QStringLiteral("增加(&A)"));
    cmdEditClient = MakeButton(listPanel, "cmdEditClient", QStringLiteral("修改(&E)"));
    cmdDeleteClient = MakeButton(listPanel, "cmdDeleteClient", QStringLiteral("删除(&D)"));
    cmdSelect = MakeButton(listPanel, "cmdSelect", QStringLiteral("选中职员(&S)"));
    cmdClose = MakeButton(listPanel, "cmdClose", QStringLiteral("关闭(&X)"));
    cmdSelect->setVisible(false);
    auto *listButtons = new QHBoxLayout(listPanel);
    listButtons->setContentsMargins(0, 4, 0, 0);
    listButtons->addStretch();
    for (QPushButton *b : {cmdAddClient, cmdEditClient, cmdDeleteClient, cmdSelect, cmdClose})
        listButtons->addWidget(b);
    auto *right = new QVBoxLayout(GroupBox2);
    right->setContentsMargins(4, 4, 4, 4);
    right->addWidget(DBGridEh1, 1);
    right->addWidget(listPanel);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2, 1);

    connect(sbSelect, &QToolButton::clicked, this, &TfrmEmployee::sbSelectClick);
    connect(cmdAddClient, &QPushButton::clicked, this, &TfrmEmployee::cmdAddClientClick);
    connect(cmdEditClient, &QPushButton::clicked, this, &TfrmEmployee::cmdEditClientClick);
    connect(cmdDeleteClient, &QPushButton::clicked, this, &TfrmEmployee::cmdDeleteClientClick);
    connect(cmdSelect, &QPushButton::clicked, this, &TfrmEmployee::cmdSelectClick);
    connect(cmdClose, &QPushButton::clicked, this, &TfrmEmployee::cmdCloseClick);
    // The list follows the selected department however it was selected (mouse or keys), so
    // the employee buttons always act on the department whose employees are shown.
    connect(Tree, &QTreeWidget::itemSelectionChanged, this, &TfrmEmployee::TreeClick);
    connect(Tree, &QTreeWidget::itemDoubleClicked, this, &TfrmEmployee::TreeDblClick);
    connect(DBGridEh1, &DBGridEh::dblClick, this, &TfrmEmployee::DBGridEh1DblClick);

    FormCreate();
}

void TfrmEmployee::FormCreate()
{
    Cancelled = true;
}

bool TfrmEmployee::ReadyData()
{
    if (SelectMode == 1) {
        for (QPushButton *b : {cmdAddClient, cmdEditClient, cmdDeleteClient})
            b->setVisible(false);
        cmdSelect->setVisible(true);
    }
    if (!loadTree())
        return false;
    if (Tree->topLevelItemCount() > 0)
        Tree->setCurrentItem(Tree->topLevelItem(0)); // lists its employees through TreeClick
    return true;
}

bool TfrmEmployee::ReadyList(const QString &departCode)
{
    try {
        dsQuery->close();
        dsQuery->setCommandText(
            QStringLiteral("Select TEmployee.*,TFunc.FuncName from TEmployee left join TFunc on  "
                           "TEmployee.FuncCode=TFunc.FuncCode where   TEmployee.TypeCode=")
            + QuotedStr(departCode));
        dsQuery->open();
    } catch (const db::DbError &) {
        dsQuery->close();
        Prompts::instance().message(kReadError);
        return false;
    }
    return true;
}

bool TfrmEmployee::listEmpty() const
{
    return !dsQuery->active() || dsQuery->isEmpty();
}

void TfrmEmployee::TreeClick()
{
    if (const GoodsClass *department = selectedCategory())
        ReadyList(department->TypeCode);
}

void TfrmEmployee::TreeDblClick()
{
    if (!sbSelect->isHidden())
        sbSelectClick();
}

void TfrmEmployee::DBGridEh1DblClick()
{
    if (SelectMode == 1)
        cmdSelectClick();
    else
        cmdEditClientClick();
}

void TfrmEmployee::cmdAddClientClick()
{
    const GoodsClass *department = selectedCategory();
    if (!department) {
        Prompts::instance().message(kNoDepartment);
        return;
    }
    if (OpenEmployeeEditor(department->TypeCode, -1))
        TreeClick();
}

void TfrmEmployee::cmdEditClientClick()
{
    const GoodsClass *department = selectedCategory();
    if (!department) {
        Prompts::instance().message(kNoDepartment);
        return;
    }
    if (listEmpty()) {
        Prompts::instance().message(QStringLiteral("没有可修改的记录！"));
        return;
    }
    const int id = int(dsQuery->fieldByName(QStringLiteral("ID")).asInteger());
    if (OpenEmployeeEditor(department->TypeCode, id))
        TreeClick();
}

void TfrmEmployee::cmdDeleteClientClick()
{
    if (!selectedCategory() || listEmpty())
        return;
    if (!Prompts::instance().confirm(QStringLiteral("您确认删除选定雇员资料吗？")))
        return;
    try {
        ADOCommand1.setCommandText(QStringLiteral("Delete from TEmployee Where ID=")
                                   + QString::number(dsQuery->fieldByName(QStringLiteral("ID")).asInteger()));
        ADOCommand1.execute();
    } catch (const db::DbError &) {
        Prompts::instance().message(QStringLiteral("删除数据发生错误！"));
        return;
    }
    TreeClick();
}

void TfrmEmployee::sbSelectClick()
{
    const GoodsClass *department = selectedCategory();
    if (!department)
        return;
    RetDepartCode = department->TypeCode;
    RetDepartName = department->TypeName;
    Cancelled = false;
    accept();
}

void TfrmEmployee::cmdSelectClick()
{
    const GoodsClass *department = selectedCategory();
    if (listEmpty() || !department)
        return;
    RetDepartCode = department->TypeCode;
    RetDepartName = department->TypeName;
    RetEmpCode = dsQuery->fieldByName(QStringLiteral("Code")).asString();
    RetEmpName = dsQuery->fieldByName(QStringLiteral("UserName")).asString();
    Cancelled = false;
    accept();
}

void TfrmEmployee::cmdCloseClick()
{
    close();
}

bool OpenEmployeeWindow()
{
    TfrmEmployee form(QApplication::activeWindow());
    return form.openAs(0);
}

bool PickDepartEmployee(QString &departCode, QString &departName, QString &empCode, QString &empName)
{
    TfrmEmployee form(QApplication::activeWindow());
    // Without a choice the caller's values stay as they were.
    if (!form.openAs(1) || form.Cancelled)
        return false;
    departCode = form.RetDepartCode;
    departName = form.RetDepartName;
    empCode = form.RetEmpCode;
    empName = form.RetEmpName;
    return true;
}
