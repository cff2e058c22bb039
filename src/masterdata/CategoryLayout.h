#pragma once

#include "masterdata/GoodsClass.h"

#include <QVector>

namespace db {
class DataSet;
}
struct CategoryTable;

// Where each row of a category table goes in a tree view, before any sorting.
struct CategoryNodePlan {
    GoodsClass data;
    int parent = -1; // index of the parent's entry in the same plan; -1 for the top level
};

// The rows of `table` in code order (the load query of the trees); raises db::DbError.
QVector<GoodsClass> ReadCategoryRows(db::DataSet &query, const CategoryTable &table);

// Every level as stored: a row of level 0 is a top node whatever its parent code says;
// any other row hangs under the node whose code is its parent code and is left out when
// there is none.
QVector<CategoryNodePlan> PlanFullDepth(const QVector<GoodsClass> &rows);

// Two levels only: every row below the top level hangs directly under the top-level row
// read last before it (at the top level when none has been read yet).
QVector<CategoryNodePlan> PlanTwoLevel(const QVector<GoodsClass> &rows);
