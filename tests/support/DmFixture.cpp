#include "DmFixture.h"

#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "shell/AppPath.h"

#include <QDebug>

DmFixture::DmFixture(TempProgramFolder::Content content) : folder(content), dm(std::make_unique<TDM>())
{
    DM = dm.get();
    AppPath = folder.path();
    dm->ADOConnection1->setConnectionString(folder.databasePath());
    if (folder.isValid())
        dm->ADOConnection1->open();
    else
        qWarning() << "fixture database:" << folder.error();
}

DmFixture::~DmFixture()
{
    if (DM == dm.get())
        DM = nullptr;
}

bool DmFixture::exec(const QString &sql) const
{
    try {
        dm->ADOConnection1->execute(sql);
        return true;
    } catch (const db::DbError &e) {
        qWarning().noquote() << "statement failed:" << e.message() << "\n" << sql;
        return false;
    }
}

QString DmFixture::value(const QString &sql) const
{
    db::DataSet ds(dm->ADOConnection1);
    ds.setCommandText(sql);
    try {
        ds.open();
    } catch (const db::DbError &e) {
        qWarning().noquote() << "query failed:" << e.message() << "\n" << sql;
        return QStringLiteral("<error>");
    }
    return ds.isEmpty() ? QString() : ds.field(0).asString();
}
