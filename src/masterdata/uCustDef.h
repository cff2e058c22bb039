#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class CategoryTree;
class QGroupBox;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The tree of expense categories: maintained here, or offered for choosing one category.
class TfrmCustDef : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCustDef(QWidget *parent = nullptr);
    ~TfrmCustDef() override;

    int SelectMode = 0; // 1: picker, 0: maintenance; set before ReadyData
    bool Cancelled = true;
    QString RetTypeCode;
    QString RetTypeName;

    bool ReadyData();
    QTreeWidgetItem *FindNode(const QString &code) const;
    QString GetMaxNum(const QString &parentCode);

    QGroupBox *GroupBox1;
    QTreeWidget *Tree;
    QToolButton *cmdAddRoot;
    QToolButton *cndAddSon;
    QToolButton *cmdEdit;
    QToolButton *cmdDelete;
    QToolButton *sbSelect;
    QToolButton *SpeedButton1;

public slots:
    void cmdAddRootClick();
    void cndAddSonClick();
    void cmdEditClick();
    void cmdDeleteClick();
    void TreeDblClick();
    void sbSelectClick();
    void SpeedButton1Click();

private:
    void FormCreate();

    std::unique_ptr<CategoryTree> m_tree;
};

// Maintenance of the expense categories; false when the tree could not be loaded.
bool OpenCustDefWindow();
// Lets the user choose a category; true (with its code and name) only on a choice.
bool PickCustType(QString &typeCode, QString &typeName);
