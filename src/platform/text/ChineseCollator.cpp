#include "platform/text/ChineseCollator.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

const QCollator &collator()
{
    static const QCollator instance = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
        c.setCaseSensitivity(Qt::CaseSensitive);
        c.setNumericMode(false);
        return c;
    }();
    return instance;
}

} // namespace

int CompareByName(const QString &a, const QString &b)
{
    const int c = collator().compare(a, b);
    if (c != 0)
        return c;
    // Texts the collator finds equal still get one fixed order.
    return QString::compare(a, b, Qt::CaseSensitive);
}

void SortByName(QStringList &list)
{
    std::stable_sort(list.begin(), list.end(), LessByName);
}
