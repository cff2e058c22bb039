#include "shell/schema/DatabaseScript.h"

#include <QFile>

#include <sqlite3.h>
#include <unistd.h>

namespace {

QString readResource(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString SchemaSql()
{
    Q_INIT_RESOURCE(schema);
    return readResource(QStringLiteral(":/schema/schema.sql"));
}

QString DemoSql()
{
    Q_INIT_RESOURCE(schema);
    return readResource(QStringLiteral(":/schema/demo.sql"));
}

QString RunSqlScript(const QString &path, const QString &script)
{
    sqlite3 *handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr)
        != SQLITE_OK) {
        const QString error = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_close(handle);
        return error;
    }
    sqlite3_busy_timeout(handle, 5000);
    char *message = nullptr;
    QString error;
    if (sqlite3_exec(handle, script.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        error = QString::fromUtf8(message ? message : sqlite3_errmsg(handle));
        sqlite3_free(message);
    }
    sqlite3_close(handle);
    return error;
}

QString CreateDatabase(const QString &path, bool withDemo)
{
    const QString temporary = path + QStringLiteral(".new");
    QFile::remove(temporary);
    // A file under construction needs no flush per statement; it is flushed once when whole.
    const QString fast = QStringLiteral("PRAGMA synchronous=OFF;\n");
    QString error = RunSqlScript(temporary, fast + SchemaSql());
    if (error.isEmpty() && withDemo)
        error = RunSqlScript(temporary, fast + DemoSql());
    if (error.isEmpty()) {
        QFile file(temporary);
        if (!file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0)
            error = QStringLiteral("cannot flush %1").arg(temporary);
    }
    if (error.isEmpty()) {
        QFile::remove(path);
        if (!QFile::rename(temporary, path))
            error = QStringLiteral("cannot move %1 into place").arg(temporary);
    }
    if (!error.isEmpty())
        QFile::remove(temporary);
    return error;
}
