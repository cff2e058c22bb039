#pragma once

#include "platform/db/Connection.h"
#include "platform/db/DataSet.h"

#include <QObject>
#include <QStringList>

// The data module: the one shared connection of the main program and two read helpers.
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    db::Connection *ADOConnection1;
    db::DataSet *dsQuery; // scratch dataset of the two helpers

    // First column of the first row as text; "" for no row, NULL, or any failure (silent).
    QString GetDataBySQL(const QString &sql);
    // Appends the non-empty first-column values of every row to `items`, clearing it first
    // when `clear` is set and the query opened. Failures are silent; returns "".
    QString GetDataBySQLToItems(const QString &sql, QStringList &items, bool clear);

private:
    void openQuery(const QString &sql); // dsQuery on `sql`; raises DbError
};

// The program's one data module, created at start before any window.
extern TDM *DM;
