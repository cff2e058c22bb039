#pragma once

#include "masterdata/CategoryWindow.h"
#include "platform/db/Command.h"

#include <QString>

class DBGridEh;
class QPushButton;

namespace db {
class DataSet;
}

// The department tree with the employees of the selected department: maintained here, or
// offered for choosing a department or one of its employees.
class TfrmEmployee : public CategoryWindow {
    Q_OBJECT
public:
    explicit TfrmEmployee(QWidget *parent = nullptr);

    QString RetDepartCode;
    QString RetDepartName;
    QString RetEmpCode;
    QString RetEmpName;

    bool ReadyData() override;
    bool ReadyList(const QString &departCode);

    QGroupBox *GroupBox2;
    DBGridEh *DBGridEh1;
    QPushButton *cmdAddClient;
    QPushButton *cmdEditClient;
    QPushButton *cmdDeleteClient;
    QPushButton *cmdSelect;
    QPushButton *cmdClose;
    db::DataSet *dsQuery; // the employee list

public slots:
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
    bool listEmpty() const;

    db::Command ADOCommand1;
};

// Maintenance of departments and employees; false when the tree could not be loaded.
bool OpenEmployeeWindow();
// Lets the user choose a department, or an employee with his department. True only on a
// choice; a department chosen alone comes back with an empty employee code and name.
bool PickDepartEmployee(QString &departCode, QString &departName, QString &empCode, QString &empName);
