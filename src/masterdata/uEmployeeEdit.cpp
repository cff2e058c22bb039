#include "masterdata/uEmployeeEdit.h"

#include "masterdata/Buttons.h"
#include "masterdata/EmployeeCode.h"
#include "platform/Prompts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "shell/uDM.h"
#include "shell/uPub.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int kMemoLength = 200;

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    return edit;
}

QComboBox *dropDownList(QWidget *parent, const char *name, const QStringList &items)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    return combo;
}

} // namespace

TfrmEmployeeEdit::TfrmEmployeeEdit(QWidget *parent)
    : QDialog(parent), dsQuery(new db::DataSet(DM->ADOConnection1, this)),
      dsTemp(new db::DataSet(DM->ADOConnection1, this)), ADOCommand1(DM->ADOConnection1)
{
    setObjectName(QStringLiteral("frmEmployeeEdit"));
    setWindowTitle(QStringLiteral("新增/修改联系人信息"));

    EditTrueName = lineEdit(this, "EditTrueName", 20);
    cmbSex = dropDownList(this, "cmbSex", {QStringLiteral("男"), QStringLiteral("女")});
    EditTelePhone = lineEdit(this, "EditTelePhone", 30);
    EditMobileCode = lineEdit(this, "EditMobileCode", 30);
    EditEMail = lineEdit(this, "EditEMail", 30);
    EditAddress = lineEdit(this, "EditAddress", 50);
    EditPostCode = lineEdit(this, "EditPostCode", 10);
    EditMemo = new QPlainTextEdit(this);
    EditMemo->setObjectName(QStringLiteral("EditMemo"));
    EditMemo->setTabChangesFocus(true);
    cmbFuncName = dropDownList(this, "cmbFuncName", {});
    cmdReg = MakeButton(this, "cmdReg", QStringLiteral("保存(&S)"));
    cmdClose = MakeButton(this, "cmdClose", QStringLiteral("取消(&X)"));
    cmbZZStu = dropDownList(this, "cmbZZStu", {QStringLiteral("离职"), QStringLiteral("在职")});

    // The amount is typed as one writes it: up to seven integer digits and two decimals.
    EditMaxLimit = lineEdit(this, "EditMaxLimit", 10);
    EditMaxLimit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,7}(\\.\\d{0,2})?")), EditMaxLimit));
    EditMaxLimit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EditMaxLimit->setText(QStringLiteral("0.00"));
    connect(EditMaxLimit, &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const double value = CleanNumberText(EditMaxLimit->text()).toDouble(&ok);
        if (ok)
            EditMaxLimit->setText(FormatAmount(value));
    });

    connect(EditMemo, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = EditMemo->toPlainText();
        if (text.size() > kMemoLength) {
            EditMemo->setPlainText(text.left(kMemoLength));
            EditMemo->moveCursor(QTextCursor::End);
        }
    });

    auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    // Each box beside its label, two to a row where they are short.
    const struct {
        QString caption;
        QWidget *box;
        int row, column, span;
    } fields[] = {
        {QStringLiteral("姓名"), EditTrueName, 0, 0, 1},
        {QStringLiteral("性别"), cmbSex, 0, 2, 1},
        {QStringLiteral("电话"), EditTelePhone, 1, 0, 1},
        {QStringLiteral("移动电话"), EditMobileCode, 1, 2, 1},
        {QStringLiteral("电子邮件"), EditEMail, 2, 0, 3},
        {QStringLiteral("联系地址"), EditAddress, 3, 0, 3},
        {QStringLiteral("职位"), cmbFuncName, 4, 0, 1},
        {QStringLiteral("在职状态"), cmbZZStu, 4, 2, 1},
        {QStringLiteral("邮政编码"), EditPostCode, 5, 0, 1},
        {QStringLiteral("费用限制"), EditMaxLimit, 5, 2, 1},
    };
    for (const auto &f : fields) {
        grid->addWidget(label(f.caption, f.box), f.row, f.column);
        grid->addWidget(f.box, f.row, f.column + 1, 1, f.span);
    }
    auto *note = new QLabel(QStringLiteral("单次报费用的限额"), this);
    note->setEnabled(false);
    note->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(note, 6, 2, 1, 2);
    auto *memoLabel = label(QStringLiteral("备注"), EditMemo);
    memoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(memoLabel, 7, 0);
    grid->addWidget(EditMemo, 7, 1, 1, 3);
    grid->setRowStretch(7, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdReg);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->setSpacing(10);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    QWidget *order[] = {EditTrueName, cmbSex, EditTelePhone, EditMobileCode, EditEMail, EditAddress, EditPostCode,
                        EditMemo, cmbFuncName, cmdReg, cmdClose, cmbZZStu, EditMaxLimit};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFixedSize(440, 380);

    connect(cmdReg, &QPushButton::clicked, this, &TfrmEmployeeEdit::cmdRegClick);
    connect(cmdClose, &QPushButton::clicked, this, &TfrmEmployeeEdit::cmdCloseClick);
    InstallEnterToNextControl(this);
    FormCreate();
    EditTrueName->setFocus();
}

void TfrmEmployeeEdit::FormCreate()
{
    Cancelled = true;
    EmpCode.clear();
    cmbZZStu->setCurrentIndex(1);
}

bool TfrmEmployeeEdit::ReadyData()
{
    try {
        dsTemp->close();
        dsTemp->setCommandText(QStringLiteral("Select * from TFunc Order by FuncName"));
        dsTemp->open();
        // The database orders by code points; names are listed in pinyin order.
        dsTemp->sort(QStringLiteral("FuncName"), Qt::AscendingOrder);
        ListFuncCode.clear();
        cmbFuncName->clear();
        for (dsTemp->first(); !dsTemp->eof(); dsTemp->next()) {
            ListFuncCode << dsTemp->fieldByName(QStringLiteral("FuncCode")).asString();
            cmbFuncName->addItem(dsTemp->fieldByName(QStringLiteral("FuncName")).asString());
        }
        dsTemp->close();
        cmbFuncName->setCurrentIndex(-1);

        dsQuery->close();
        dsQuery->setCommandText(QStringLiteral("Select * from TEmployee Where ID=") + QString::number(RecordID));
        dsQuery->open();
        if (dsQuery->isEmpty()) {
            setWindowTitle(QStringLiteral("新增职员纪录"));
            cmbSex->setCurrentIndex(0);
            dsQuery->append();
        } else {
            setWindowTitle(QStringLiteral("修改职员记录"));
            auto text = [this](const char *field) { return dsQuery->fieldByName(QString::fromLatin1(field)).asString(); };
            EmpCode = text("Code");
            EditTrueName->setText(text("UserName"));
            cmbSex->setCurrentIndex(int(dsQuery->fieldByName(QStringLiteral("Sex")).asInteger()));
            EditTelePhone->setText(text("TelePhone"));
            EditMobileCode->setText(text("MobilePhone"));
            EditEMail->setText(text("EMail"));
            EditAddress->setText(text("Address"));
            EditPostCode->setText(text("PostCode"));
            EditMemo->setPlainText(text("Desp"));
            FuncCode = text("FuncCode");
            EditMaxLimit->setText(FormatAmount(dsQuery->fieldByName(QStringLiteral("MaxLimit")).asFloat()));
            cmbZZStu->setCurrentIndex(int(dsQuery->fieldByName(QStringLiteral("ZZStu")).asInteger()));
            cmbFuncName->setCurrentIndex(IndexOfText(ListFuncCode, FuncCode));
        }
    } catch (const db::DbError &) {
        Prompts::instance().message(QStringLiteral("读取本地数据发生错误！"));
        return false;
    }
    return true;
}

QString TfrmEmployeeEdit::GetNewCode(const QString &departCode)
{
    return DrawEmployeeCode(*dsTemp, departCode);
}

bool TfrmEmployeeEdit::SaveData()
{
    if (EditTrueName->text().isEmpty()) {
        Prompts::instance().message(QStringLiteral("业务员姓名必须输入！"));
        EditTrueName->setFocus();
        return false;
    }
    if (cmbFuncName->currentIndex() < 0) {
        Prompts::instance().message(QStringLiteral("职位必须指定！"));
        cmbFuncName->setFocus();
        return false;
    }
    if (EmpCode.isEmpty())
        EmpCode = GetNewCode(DepartCode);
    // Without a code the employee could never be told apart in the expense records.
    if (EmpCode.isEmpty()) {
        Prompts::instance().message(QStringLiteral("存储数据发生错误!"));
        return false;
    }
    // An emptied box reads as the blank mask does: no limit.
    QString limitText = CleanNumberText(EditMaxLimit->text());
    if (limitText.isEmpty())
        limitText = QStringLiteral("0.0");
    bool limitOk = false;
    const double limit = limitText.toDouble(&limitOk);
    if (!limitOk) {
        Prompts::instance().message(QStringLiteral("存储数据发生错误!"));
        EditMaxLimit->setFocus();
        return false;
    }

    const QString name = EditTrueName->text();
    try {
        dsQuery->edit();
        auto set = [this](const char *field, const QVariant &value) {
            dsQuery->fieldByName(QString::fromLatin1(field)).setValue(value);
        };
        set("Code", EmpCode);
        set("UserName", name);
        set("Sex", cmbSex->currentIndex());
        set("TelePhone", EditTelePhone->text());
        set("MobilePhone", EditMobileCode->text());
        set("EMail", EditEMail->text());
        set("Address", EditAddress->text());
        set("MaxLimit", limit);
        set("PostCode", EditPostCode->text());
        set("Desp", EditMemo->toPlainText());
        set("TypeCode", DepartCode);
        set("ZZStu", cmbZZStu->currentIndex());
        set("FuncCode", ListFuncCode.value(cmbFuncName->currentIndex()));
        dsQuery->post();
        ADOCommand1.setCommandText(QStringLiteral("Update TBillDetail Set EmpName=") + QuotedStr(name)
                                   + QStringLiteral(" where EmpID=") + QuotedStr(EmpCode));
        ADOCommand1.execute();
    } catch (const db::DbError &) {
        Prompts::instance().message(QStringLiteral("存储数据发生错误!"));
        return false;
    }
    return true;
}

void TfrmEmployeeEdit::cmdRegClick()
{
    if (SaveData()) {
        Cancelled = false;
        accept();
    }
}

void TfrmEmployeeEdit::cmdCloseClick()
{
    reject();
}

bool OpenEmployeeEditor(const QString &departCode, int id)
{
    TfrmEmployeeEdit form(QApplication::activeWindow());
    form.DepartCode = departCode;
    form.RecordID = id;
    if (!form.ReadyData())
        return false;
    form.exec();
    return !form.Cancelled;
}
