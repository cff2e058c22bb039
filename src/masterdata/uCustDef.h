#pragma once

#include "masterdata/CategoryWindow.h"

#include <QString>

// The tree of expense categories: maintained here, or offered for choosing one category.
class TfrmCustDef : public CategoryWindow {
    Q_OBJECT
public:
    explicit TfrmCustDef(QWidget *parent = nullptr);

    QString RetTypeCode;
    QString RetTypeName;

    bool ReadyData() override;

    QToolButton *SpeedButton1;

public slots:
    void TreeDblClick();
    void sbSelectClick();
    void SpeedButton1Click();

private:
    void FormCreate();
};

// Maintenance of the expense categories; false when the tree could not be loaded.
bool OpenCustDefWindow();
// Lets the user choose a category; true (with its code and name) only on a choice.
bool PickCustType(QString &typeCode, QString &typeName);
