#include "masterdata/uFuncEdit.h"

#include "masterdata/Buttons.h"
#include "platform/Prompts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "shell/uDM.h"
#include "shell/uPub.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmFuncEdit::TfrmFuncEdit(QWidget *parent) : QDialog(parent), dsQuery(new db::DataSet(DM->ADOConnection1, this))
{
    setObjectName(QStringLiteral("frmFuncEdit"));
    setWindowTitle(QStringLiteral("新增/修改职位信息"));

    auto *labelName = new QLabel(QStringLiteral("职位名称"), this);
    EditName = new QLineEdit(this);
    EditName->setObjectName(QStringLiteral("EditName"));
    EditName->setMaxLength(50);
    auto *labelCode = new QLabel(QStringLiteral("职位编码"), this);
    EditCode = new QLineEdit(this);
    EditCode->setObjectName(QStringLiteral("EditCode"));
    EditCode->setMaxLength(10);
    labelName->setBuddy(EditName);
    labelCode->setBuddy(EditCode);

    // Enter moves between the boxes; only a click or Alt+E confirms.
    cmdEnsure = MakeButton(this, "cmdEnsure", QStringLiteral("确认(&E)"));
    cmdCancel = MakeButton(this, "cmdCancel", QStringLiteral("取消(&X)"));

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    fields->addWidget(labelName, 0, 0);
    fields->addWidget(EditName, 0, 1);
    fields->addWidget(labelCode, 1, 0);
    fields->addWidget(EditCode, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEnsure);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 10);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(EditName, EditCode);
    setTabOrder(EditCode, cmdEnsure);
    setTabOrder(cmdEnsure, cmdCancel);
    setFixedSize(272, 136);

    EditName->installEventFilter(this);
    connect(cmdEnsure, &QPushButton::clicked, this, &TfrmFuncEdit::cmdEnsureClick);
    connect(cmdCancel, &QPushButton::clicked, this, &TfrmFuncEdit::cmdCancelClick);
    InstallEnterToNextControl(this);
    FormCreate();
    EditName->setFocus();
}

TfrmFuncEdit::~TfrmFuncEdit() = default;

void TfrmFuncEdit::FormCreate()
{
    Cancelled = true;
}

bool TfrmFuncEdit::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the name box for another control of this dialog, not the dialog losing the
    // focus to a message box.
    if (watched == EditName && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            EditNameExit();
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmFuncEdit::ReadyData()
{
    try {
        dsQuery->close();
        dsQuery->setCommandText(QStringLiteral("Select * from TFunc Where ID=") + QString::number(RecordID));
        dsQuery->open();
        if (dsQuery->isEmpty()) {
            dsQuery->append();
        } else {
            dsQuery->edit();
            EditCode->setText(dsQuery->fieldByName(QStringLiteral("FuncCode")).asString());
            EditName->setText(dsQuery->fieldByName(QStringLiteral("FuncName")).asString());
        }
    } catch (const db::DbError &) {
        Prompts::instance().message(QStringLiteral("读取本地数据文件发生错误！"));
        return false;
    }
    return true;
}

void TfrmFuncEdit::EditNameExit()
{
    if (EditCode->text().isEmpty())
        EditCode->setText(PinyinInitials(EditName->text()));
}

bool TfrmFuncEdit::SaveData()
{
    if (EditCode->text().isEmpty()) {
        Prompts::instance().message(QStringLiteral("编号尚未输入！"));
        EditCode->setFocus();
        return false;
    }
    if (EditName->text().isEmpty()) {
        Prompts::instance().message(QStringLiteral("名称尚未输入！"));
        EditName->setFocus();
        return false;
    }
    try {
        dsQuery->fieldByName(QStringLiteral("FuncCode")).setAsString(EditCode->text());
        dsQuery->fieldByName(QStringLiteral("FuncName")).setAsString(EditName->text());
        dsQuery->post();
    } catch (const db::DbError &) {
        Prompts::instance().message(QStringLiteral("存储数据发生错误，可能您输入的编号已经被使用!"));
        return false;
    }
    return true;
}

void TfrmFuncEdit::cmdEnsureClick()
{
    if (SaveData()) {
        Cancelled = false;
        accept();
    }
}

void TfrmFuncEdit::cmdCancelClick()
{
    reject();
}

bool OpenFuncEditor(int id)
{
    TfrmFuncEdit form(QApplication::activeWindow());
    form.RecordID = id;
    if (!form.ReadyData())
        return false;
    form.exec();
    return !form.Cancelled;
}
