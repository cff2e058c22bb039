#include "masterdata/uSelectClass.h"

#include "masterdata/Buttons.h"
#include "masterdata/CategoryItem.h"
#include "masterdata/CategoryTree.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmSelectClass::TfrmSelectClass(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectClass"));
    setWindowTitle(QStringLiteral("选择分类"));
    setFixedSize(409, 352);

    Tree = new QTreeWidget(this);
    Tree->setObjectName(QStringLiteral("Tree"));
    SetupCategoryView(Tree);
    Tree->installEventFilter(this);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    cmdSelect = MakeButton(panel, "cmdSelect", QStringLiteral("选中(&S)"));
    cmdClose = MakeButton(panel, "cmdClose", QStringLiteral("退出(&X)"));
    auto *buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Tree, 1);
    layout->addWidget(panel);

    connect(cmdSelect, &QPushButton::clicked, this, &TfrmSelectClass::cmdSelectClick);
    connect(cmdClose, &QPushButton::clicked, this, &TfrmSelectClass::cmdCloseClick);
    connect(Tree, &QTreeWidget::itemDoubleClicked, this, &TfrmSelectClass::cmdSelectClick);

    FormCreate();
}

TfrmSelectClass::~TfrmSelectClass() = default;

void TfrmSelectClass::FormCreate()
{
    Cancelled = true;
}

bool TfrmSelectClass::load(const QString &table)
{
    Tree->clear();
    m_tree = std::make_unique<CategoryTree>(Tree, CategoryTable::readOnly(table), CategoryTree::Icons::None);
    return m_tree->loadTwoLevel();
}

bool TfrmSelectClass::ReadyData()
{
    return load(QStringLiteral("TEmpClass"));
}

bool TfrmSelectClass::ReadyDataClient()
{
    return load(QStringLiteral("TClientClass"));
}

bool TfrmSelectClass::ReadyDataProv()
{
    return load(QStringLiteral("TProviderClass"));
}

void TfrmSelectClass::cmdSelectClick()
{
    QTreeWidgetItem *item = SelectedNode(Tree);
    if (!item)
        return;
    if (item->childCount() > 0) {
        Prompts::instance().message(QStringLiteral("请选择下级分类！"));
        return;
    }
    const GoodsClass *data = PayloadOf(item);
    RetTypeCode = data->TypeCode;
    RetTypeName = data->TypeName;
    Cancelled = false;
    accept();
}

void TfrmSelectClass::cmdCloseClick()
{
    close();
}

bool TfrmSelectClass::TreeKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    cmdSelectClick();
    return true;
}

bool TfrmSelectClass::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Tree && event->type() == QEvent::KeyPress && TreeKeyDown(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool PickClass(QString &typeCode, QString &typeName)
{
    TfrmSelectClass form(QApplication::activeWindow());
    if (!form.ReadyData())
        return false;
    form.exec();
    if (form.Cancelled)
        return false;
    typeCode = form.RetTypeCode;
    typeName = form.RetTypeName;
    return true;
}
