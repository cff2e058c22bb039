#pragma once

#include <QDialog>

class DBGridEh;
class QPushButton;

namespace db {
class DataSet;
}

// The list of positions, with add, modify and delete.
class TfrmFunc : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFunc(QWidget *parent = nullptr);
    ~TfrmFunc() override;

    bool ReadyData();

    DBGridEh *DBGridEh1;
    QPushButton *Button1;
    QPushButton *Button2;
    QPushButton *Button3;
    QPushButton *Button4;
    db::DataSet *dsQuery;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void DBGridEh1DblClick();
};

// Opens the positions window; false (with nothing shown) when the list cannot be read.
bool OpenFuncWindow();
