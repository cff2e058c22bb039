#pragma once

#include "masterdata/CategoryItem.h"

#include <QStringList>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

// The view as lines "name code", indented two spaces per level, in view order.
inline QStringList TreeShape(QTreeWidget *tree)
{
    QStringList lines;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const GoodsClass *data = PayloadOf(*it);
        lines << QString(ViewLevel(*it) * 2, u' ') + (*it)->text(0) + u' ' + (data ? data->TypeCode : QString());
    }
    return lines;
}

// The first node in view order with this caption, or nullptr.
inline QTreeWidgetItem *ItemNamed(QTreeWidget *tree, const QString &name)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == name)
            return *it;
    return nullptr;
}
