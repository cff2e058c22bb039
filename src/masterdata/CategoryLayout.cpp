#include "masterdata/CategoryLayout.h"

#include "masterdata/CategoryTable.h"
#include "platform/db/DataSet.h"

#include <QHash>

QVector<GoodsClass> ReadCategoryRows(db::DataSet &query, const CategoryTable &table)
{
    QVector<GoodsClass> rows;
    query.close();
    query.setCommandText(table.loadSql());
    query.open();
    rows.reserve(query.recordCount());
    for (query.first(); !query.eof(); query.next()) {
        GoodsClass row;
        row.TypeCode = query.fieldByName(QStringLiteral("TypeCode")).asString();
        row.ParTypeCode = query.fieldByName(QStringLiteral("ParTypeCode")).asString();
        row.TypeName = query.fieldByName(QStringLiteral("TypeName")).asString();
        row.nLeveal = int(query.fieldByName(QStringLiteral("nLeveal")).asInteger());
        rows.append(row);
    }
    query.close();
    return rows;
}

QVector<CategoryNodePlan> PlanFullDepth(const QVector<GoodsClass> &rows)
{
    QVector<CategoryNodePlan> plan;
    plan.reserve(rows.size());
    QHash<QString, int> byCode; // the first node shown with each code
    for (const GoodsClass &row : rows) {
        int parent = -1;
        if (row.nLeveal != 0) {
            const auto found = byCode.constFind(row.ParTypeCode);
            if (found == byCode.constEnd())
                continue;
            parent = found.value();
        }
        if (!byCode.contains(row.TypeCode))
            byCode.insert(row.TypeCode, int(plan.size()));
        plan.append({row, parent});
    }
    return plan;
}

QVector<CategoryNodePlan> PlanTwoLevel(const QVector<GoodsClass> &rows)
{
    QVector<CategoryNodePlan> plan;
    plan.reserve(rows.size());
    int top = -1;
    for (const GoodsClass &row : rows) {
        if (row.nLeveal == 0) {
            top = int(plan.size());
            plan.append({row, -1});
        } else {
            plan.append({row, top});
        }
    }
    return plan;
}
