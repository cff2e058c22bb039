#include "shell/uReBulid.h"

#include "platform/Prompts.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "shell/uDM.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList kWarningLines = {
    QStringLiteral("    系统重建将会将系统中所有信息清除，本功能仅用"),
    QStringLiteral("于对期初测试、熟悉系统所产生的测试数据的清除。"),
    QStringLiteral("    在执行本功能之前，建议首先在服务端备份数据库"),
    QStringLiteral("。若由于没有备份数据而造成损失，开发商概不负责。"),
};

// Formulas and employees name positions and departments, so they go first; the expense
// records last.
const QStringList kStatements = {
    QStringLiteral("B_Delete from TFormula"), QStringLiteral("B_Delete from TCustClass"),
    QStringLiteral("B_Delete from TEmployee"), QStringLiteral("B_Delete from TEmpClass"),
    QStringLiteral("B_Delete from TFunc"),    QStringLiteral("Delete from TBillDetail"),
};

} // namespace

TfrmReBulid::TfrmReBulid(QWidget *parent)
    : QDialog(parent),
      GroupBox1(new QGroupBox(QStringLiteral("警告！！！"), this)),
      EditWarm(new QPlainTextEdit(GroupBox1)),
      cmkYW(new QCheckBox(QStringLiteral("清除业务数据"), this)),
      chkJB(new QCheckBox(QStringLiteral("清除基本信息"), this)),
      cmdSH(new QPushButton(QStringLiteral("系统重建"), this)),
      cmdCancel(new QPushButton(QStringLiteral("取消(&X)"), this)),
      ListSQL(new QListWidget(this)),
      ADOCommand1(DM ? DM->ADOConnection1 : nullptr)
{
    setObjectName(QStringLiteral("frmReBulid"));
    setWindowTitle(QStringLiteral("系统重建"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    EditWarm->setObjectName(QStringLiteral("EditWarm"));
    cmkYW->setObjectName(QStringLiteral("cmkYW"));
    chkJB->setObjectName(QStringLiteral("chkJB"));
    cmdSH->setObjectName(QStringLiteral("cmdSH"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    ListSQL->setObjectName(QStringLiteral("ListSQL"));

    // The warning: red, a size larger, its four lines exactly as written, all of them visible.
    QFont warningFont = EditWarm->font();
    warningFont.setPointSizeF(warningFont.pointSizeF() * 1.2);
    EditWarm->setFont(warningFont);
    QPalette palette = EditWarm->palette();
    palette.setColor(QPalette::Text, QColor(0xD0, 0x10, 0x10));
    palette.setColor(QPalette::Base, QColor(0xFF, 0xF8, 0xF6));
    EditWarm->setPalette(palette);
    EditWarm->setReadOnly(true);
    EditWarm->setLineWrapMode(QPlainTextEdit::NoWrap);
    EditWarm->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    EditWarm->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    EditWarm->setFocusPolicy(Qt::NoFocus);
    EditWarm->setPlainText(kWarningLines.join(u'\n'));
    const QFontMetrics metrics(warningFont);
    int textWidth = 0;
    for (const QString &line : kWarningLines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int margins = 2 * (EditWarm->frameWidth() + int(EditWarm->document()->documentMargin())) + 8;
    EditWarm->setFixedSize(textWidth + margins, int(kWarningLines.size()) * metrics.lineSpacing() + margins);

    auto *groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->addWidget(EditWarm);

    auto *checks = new QHBoxLayout;
    checks->addWidget(cmkYW);
    checks->addSpacing(24);
    checks->addWidget(chkJB);
    checks->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSH);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(checks);
    layout->addLayout(buttons);

    ListSQL->addItems(kStatements);
    ListSQL->hide();

    connect(cmkYW, &QCheckBox::toggled, this, &TfrmReBulid::cmkYWClick);
    connect(chkJB, &QCheckBox::toggled, this, &TfrmReBulid::chkJBClick);
    connect(cmdSH, &QPushButton::clicked, this, &TfrmReBulid::cmdSHClick);
    connect(cmdCancel, &QPushButton::clicked, this, &TfrmReBulid::cmdCancelClick);

    setFixedSize(sizeHint());
}

TfrmReBulid::~TfrmReBulid() = default;

void TfrmReBulid::cmkYWClick()
{
    // Basic information cannot be cleared while the expense records that name it stay.
    if (!cmkYW->isChecked())
        chkJB->setChecked(false);
}

void TfrmReBulid::chkJBClick()
{
    if (chkJB->isChecked())
        cmkYW->setChecked(true);
}

void TfrmReBulid::cmdCancelClick()
{
    reject();
}

void TfrmReBulid::ExecAllSQL(int mode)
{
    db::Connection *connection = ADOCommand1.connection();
    if (!connection)
        throw db::DbError(QStringLiteral("No database connection."));
    connection->beginTrans();
    try {
        for (int i = 0; i < ListSQL->count(); ++i) {
            QString sql = ListSQL->item(i)->text();
            if (sql.startsWith(QLatin1String("B_"))) {
                if (mode != 1)
                    continue;
                sql.remove(0, 2);
            }
            ADOCommand1.setCommandText(sql);
            ADOCommand1.execute();
        }
        connection->commitTrans();
    } catch (const db::DbError &) {
        if (connection->inTransaction())
            connection->rollbackTrans();
        throw;
    }
}

void TfrmReBulid::cmdSHClick()
{
    if (!cmkYW->isChecked() && !chkJB->isChecked()) {
        Prompts::instance().message(QStringLiteral("至少需要选择一项清除项目！"));
        return;
    }
    if (!Prompts::instance().confirm(QStringLiteral("系统重建将清除所有数据，请确认您已经备份了数据库，是否继续？")))
        return;
    if (m_closeChildren)
        m_closeChildren();
    try {
        ExecAllSQL(chkJB->isChecked() ? 1 : 0);
    } catch (const db::DbError &e) {
        QString text = QStringLiteral("系统重建失败，没有清除任何数据。");
        if (!e.sql().isEmpty())
            text += QStringLiteral("\n出错的语句：") + e.sql();
        text += QStringLiteral("\n原因：") + e.message();
        Prompts::instance().message(text);
        return;
    }
    Prompts::instance().message(QStringLiteral("系统重建完成！"));
    accept();
}

void OpenReBulidWindow(QWidget *parent, std::function<void()> closeChildren)
{
    TfrmReBulid dialog(parent);
    dialog.setCloseChildren(std::move(closeChildren));
    dialog.exec();
}
