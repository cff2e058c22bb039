#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace db {
class DataSet;
}

// The small editor that adds or changes one position.
class TfrmFuncEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFuncEdit(QWidget *parent = nullptr);
    ~TfrmFuncEdit() override;

    int RecordID = -1; // TFunc.ID, -1 for a new position
    bool Cancelled = true;

    bool ReadyData();
    bool SaveData();

    QLineEdit *EditName;
    QLineEdit *EditCode;
    QPushButton *cmdEnsure;
    QPushButton *cmdCancel;

public slots:
    void EditNameExit();
    void cmdEnsureClick();
    void cmdCancelClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();

    db::DataSet *dsQuery;
};

// Opens the editor for position `id` (-1: a new one); true when the user saved.
bool OpenFuncEditor(int id);
