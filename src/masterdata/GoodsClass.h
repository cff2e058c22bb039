#pragma once

#include <QString>

// The record every node of a category tree view carries. Category nodes leave ID at 0;
// employee nodes of the department/employee trees put the employee's ID there and his
// Code and UserName in TypeCode and TypeName.
struct GoodsClass {
    int ID = 0;
    QString TypeCode;
    QString ParTypeCode;
    QString TypeName;
    int nLeveal = 0;
};
