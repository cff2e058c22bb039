#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class CategoryTree;
class QGroupBox;
class QHBoxLayout;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
struct CategoryTable;
struct GoodsClass;

// A window that keeps one category tree and can also be opened to choose from it: the tree
// in a group box, its maintenance buttons and their handlers, and the picker's button.
class CategoryWindow : public QDialog {
    Q_OBJECT
public:
    ~CategoryWindow() override;

    int SelectMode = 0; // 1: picker, 0: maintenance; set before ReadyData
    bool Cancelled = true;

    virtual bool ReadyData() = 0;
    QTreeWidgetItem *FindNode(const QString &code) const;
    QString GetMaxNum(const QString &parentCode);

    // Sets the mode, loads the window and shows it modally; false (nothing shown) when
    // loading failed.
    bool openAs(int mode);

    QGroupBox *GroupBox1;
    QTreeWidget *Tree;
    QToolButton *cmdAddRoot;
    QToolButton *cndAddSon;
    QToolButton *cmdEdit;
    QToolButton *cmdDelete;
    QToolButton *sbSelect;

public slots:
    void cmdAddRootClick();
    void cndAddSonClick();
    void cmdEditClick();
    void cmdDeleteClick();

protected:
    // The captions that differ between the windows.
    struct Captions {
        QString group;
        QString deleteButton;
        QString select;
        QString selectHint;
    };
    CategoryWindow(const CategoryTable &table, const Captions &captions, QWidget *parent);

    // A window's own button, appended to the row under the tree.
    QToolButton *addTreeButton(const char *name, const QString &caption, const QString &hint);
    // In picker mode shows sbSelect instead of the maintenance buttons; then loads every
    // level of the table. False after a reported failure.
    bool loadTree();
    // The selected category, or nullptr.
    const GoodsClass *selectedCategory() const;

private:
    QHBoxLayout *m_treeButtons;
    std::unique_ptr<CategoryTree> m_tree;
};
