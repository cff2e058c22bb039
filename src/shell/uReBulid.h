#pragma once

#include "platform/db/Command.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// System rebuild: clears the expense records, or the basic information as well, so that a
// company can start real work after trying the program out.
class TfrmReBulid : public QDialog {
    Q_OBJECT
public:
    explicit TfrmReBulid(QWidget *parent = nullptr);
    ~TfrmReBulid() override;

    // How the main window closes every MDI child; run before anything is deleted.
    void setCloseChildren(std::function<void()> closeChildren) { m_closeChildren = std::move(closeChildren); }

    // Runs the statement list in one transaction: entries marked "B_" only in mode 1. On a
    // failure everything is rolled back and the DbError is raised again.
    void ExecAllSQL(int mode);

    QGroupBox *GroupBox1;
    QPlainTextEdit *EditWarm;
    QCheckBox *cmkYW;
    QCheckBox *chkJB;
    QPushButton *cmdSH;
    QPushButton *cmdCancel;
    QListWidget *ListSQL; // hidden
    db::Command ADOCommand1;

public slots:
    void cmdSHClick();
    void cmdCancelClick();
    void cmkYWClick();
    void chkJBClick();

private:
    std::function<void()> m_closeChildren;
};

// Opens the rebuild dialog modally; `closeChildren` closes the main window's MDI children.
void OpenReBulidWindow(QWidget *parent, std::function<void()> closeChildren);
