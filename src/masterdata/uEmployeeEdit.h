#pragma once

#include "platform/db/Command.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace db {
class DataSet;
}

// The dialog that creates or changes one employee of a department.
class TfrmEmployeeEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEmployeeEdit(QWidget *parent = nullptr);

    QString DepartCode;  // the department the employee belongs to
    int RecordID = -1;   // TEmployee.ID, -1 for a new employee
    QString EmpCode;     // the record's Code; drawn on the first save of a new one
    QString FuncCode;    // position code read from an existing record
    bool Cancelled = true;

    bool ReadyData();
    bool SaveData();
    // The next employee code below a department (its sub-departments included); "" when it
    // cannot be drawn.
    QString GetNewCode(const QString &departCode);

    QLineEdit *EditTrueName;
    QComboBox *cmbSex;
    QLineEdit *EditTelePhone;
    QLineEdit *EditMobileCode;
    QLineEdit *EditEMail;
    QLineEdit *EditAddress;
    QLineEdit *EditPostCode;
    QPlainTextEdit *EditMemo;
    QComboBox *cmbFuncName;
    QPushButton *cmdReg;
    QPushButton *cmdClose;
    QComboBox *cmbZZStu;
    QLineEdit *EditMaxLimit;
    QStringList ListFuncCode; // FuncCode of each line of cmbFuncName

public slots:
    void cmdRegClick();
    void cmdCloseClick();

private:
    void FormCreate();

    db::DataSet *dsQuery;
    db::DataSet *dsTemp;
    db::Command ADOCommand1;
};

// Opens the editor for employee `id` (-1: a new one) of department `departCode`; true when
// the user saved.
bool OpenEmployeeEditor(const QString &departCode, int id);
