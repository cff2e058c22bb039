#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

// The marker a column title shows for the order its rows were last sorted in.
enum class SortMarker { None, Down, Up };

// What the footer cell of a column shows.
enum class FooterValueType { None, StaticText, Count, Sum };

// One column of a DBGridEh: which field it shows, how, and what its title and footer say.
// The setters return the column, so a window lists its columns in one expression each.
struct GridColumn {
    QString fieldName;
    QString title;
    int width = 0; // pixels at the 9-point design font (the grid scales them); 0 = default
    bool visible = true;
    Qt::Alignment titleAlignment = Qt::AlignCenter;
    Qt::Alignment alignment = {}; // none: numbers right, texts left
    QStringList keyList;          // stored values ...
    QStringList pickList;         // ... and the texts shown for them, line for line
    QString displayFormat;        // "0.00", "0条" for numbers, "yyyy-MM-dd" for dates
    FooterValueType footerType = FooterValueType::None;
    QString footerValue;          // the fixed text of a StaticText footer
    QString footerFormat;         // number format of a Count or Sum footer
    Qt::Alignment footerAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    SortMarker sortMarker = SortMarker::None;

    GridColumn() = default;
    GridColumn(const QString &field, const QString &caption = QString(), int pixels = 0)
        : fieldName(field), title(caption), width(pixels)
    {
    }

    GridColumn &hidden()
    {
        visible = false;
        return *this;
    }
    GridColumn &mapped(const QStringList &keys, const QStringList &texts)
    {
        keyList = keys;
        pickList = texts;
        return *this;
    }
    GridColumn &format(const QString &pattern)
    {
        displayFormat = pattern;
        return *this;
    }
    GridColumn &align(Qt::Alignment a)
    {
        alignment = a;
        return *this;
    }
    GridColumn &titleAlign(Qt::Alignment a)
    {
        titleAlignment = a;
        return *this;
    }
    GridColumn &footerText(const QString &text, Qt::Alignment a = Qt::AlignCenter)
    {
        footerType = FooterValueType::StaticText;
        footerValue = text;
        footerAlignment = a;
        return *this;
    }
    GridColumn &footerCount(const QString &pattern, Qt::Alignment a = Qt::AlignCenter)
    {
        footerType = FooterValueType::Count;
        footerFormat = pattern;
        footerAlignment = a;
        return *this;
    }
    GridColumn &footerSum(const QString &pattern, Qt::Alignment a = Qt::AlignCenter)
    {
        footerType = FooterValueType::Sum;
        footerFormat = pattern;
        footerAlignment = a;
        return *this;
    }
};
