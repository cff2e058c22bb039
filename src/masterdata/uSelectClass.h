#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class CategoryTree;
class QPushButton;
class QTreeWidget;

// Lets the user choose one category that has no sub-categories in the (two-level) view.
class TfrmSelectClass : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelectClass(QWidget *parent = nullptr);
    ~TfrmSelectClass() override;

    bool Cancelled = true;
    QString RetTypeCode;
    QString RetTypeName;

    bool ReadyData();       // departments
    bool ReadyDataClient(); // client categories
    bool ReadyDataProv();   // provider categories

    QTreeWidget *Tree;
    QPushButton *cmdSelect;
    QPushButton *cmdClose;

public slots:
    void cmdSelectClick();
    void cmdCloseClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    bool TreeKeyDown(int key); // true when the key was handled
    bool load(const QString &table);

    std::unique_ptr<CategoryTree> m_tree;
};

// Lets the user choose a department without sub-departments; true (with its code and
// name) only on a choice.
bool PickClass(QString &typeCode, QString &typeName);
