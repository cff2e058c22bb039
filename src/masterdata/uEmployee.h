#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class CategoryTree;
class DBGridEh;
class QGroupBox;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace db {
class DataSet;
class Command;
}

// The department tree with the employees of the selected department: maintained here, or
// offered for choosing a department or one of its employees.
class TfrmEmployee : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEmployee(QWidget *parent = nullptr);
    ~TfrmEmployee() override;

    int SelectMode = 0; // 1: picker, 0: maintenance; set before ReadyData
    bool Cancelled = true;
    QString RetDepartCode;
    QString RetDepartName;
    QString RetEmpCode;
    QString RetEmpName;

    bool ReadyData();
    bool ReadyList(const QString &departCode);
    QTreeWidgetItem *FindNode(const QString &code) const;
    QString GetMaxNum(const QString &parentCode);

    QGroupBox *GroupBox1;
    QTreeWidget *Tree;
    QToolButton *sbSelect;
    QToolButton *cmdAddRoot;
    QToolButton *cndAddSon;
    QToolButton *cmdEdit;
    QToolButton *cmdDelete;
    QGroupBox *GroupBox2;
    DBGridEh *DBGridEh1;
    QPushButton *cmdAddClient;
    QPushButton *cmdEditClient;
    QPushButton *cmdDeleteClient;
    QPushButton *cmdSelect;
    QPushButton *cmdClose;
    db::DataSet *dsQuery; // the employee list

public slots:
    void cmdAddRootClick();
    void cndAddSonClick();
    void cmdEditClick();
    void cmdDeleteClick();
    void TreeClick();
    void TreeDblClick();
    void DBGridEh1DblClick();
    void cmdAddClientClick();
    void cmdEditClientClick();
    void cmdDeleteClientClick();
    void cmdSelectClick();
    void sbSelectClick();
    void cmdCloseClick();

private:
    void FormCreate();
    QTreeWidgetItem *selectedNode() const;
    bool listEmpty() const;

    std::unique_ptr<CategoryTree> m_tree;
    db::Command *ADOCommand1;
};

// Maintenance of departments and employees; false when the tree could not be loaded.
bool OpenEmployeeWindow();
// Lets the user choose a department, or an employee with his department. True only on a
// choice; a department chosen alone comes back with an empty employee code and name.
bool PickDepartEmployee(QString &departCode, QString &departName, QString &empCode, QString &empName);
