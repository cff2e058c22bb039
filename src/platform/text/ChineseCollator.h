#pragma once

#include <QString>
#include <QStringList>

// "By name" order of the whole program: Chinese texts in pinyin order, the same everywhere.
int CompareByName(const QString &a, const QString &b);
inline bool LessByName(const QString &a, const QString &b) { return CompareByName(a, b) < 0; }
void SortByName(QStringList &list);
