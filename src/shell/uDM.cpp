#include "shell/uDM.h"

#include "platform/db/DbError.h"

TDM *DM = nullptr;

TDM::TDM(QObject *parent)
    : QObject(parent), ADOConnection1(new db::Connection(this)), dsQuery(new db::DataSet(ADOConnection1, this))
{
    if (!DM)
        DM = this;
}

TDM::~TDM()
{
    dsQuery->close();
    ADOConnection1->close();
    if (DM == this)
        DM = nullptr;
}

void TDM::openQuery(const QString &sql)
{
    dsQuery->close();
    dsQuery->setCommandText(sql);
    dsQuery->open();
}

QString TDM::GetDataBySQL(const QString &sql)
{
    try {
        openQuery(sql);
        return dsQuery->isEmpty() || dsQuery->fieldCount() == 0 ? QString() : dsQuery->field(0).asString();
    } catch (const db::DbError &) {
        // Callers treat a failing query like an empty one; nothing is shown.
        return QString();
    }
}

QString TDM::GetDataBySQLToItems(const QString &sql, QStringList &items, bool clear)
{
    try {
        openQuery(sql);
        if (clear)
            items.clear();
        for (dsQuery->first(); !dsQuery->eof(); dsQuery->next()) {
            const QString value = dsQuery->field(0).asString();
            if (!value.isEmpty())
                items.append(value);
        }
    } catch (const db::DbError &) {
        // Silent by contract: the list keeps what it held or what was added before the error.
    }
    return QString();
}
