#include "platform/db/Connection.h"

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace db {

namespace {

QAtomicInt g_connectionCounter;

QString dataSourceOf(const QString &text)
{
    if (!text.contains(u'='))
        return text.trimmed();
    const QStringList parts = text.split(u';', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq > 0 && part.left(eq).trimmed().compare(u"Data Source", Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return QString();
}

} // namespace

Connection::Connection(QObject *parent)
    : QObject(parent),
      m_connectionName(QStringLiteral("quoravel-db-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1)))
{
}

Connection::~Connection()
{
    close();
}

void Connection::setConnectionString(const QString &text)
{
    m_connectionString = text;
    m_path = dataSourceOf(text);
}

bool Connection::connected() const
{
    return QSqlDatabase::contains(m_connectionName)
        && QSqlDatabase::database(m_connectionName, false).isOpen();
}

void Connection::open()
{
    if (connected())
        return;
    const QFileInfo info(m_path);
    if (m_path.isEmpty() || !info.exists() || !info.isFile())
        throw DbError(QStringLiteral("Could not find file '%1'.").arg(m_path));
    // SQLite would take an empty file for a new, empty database; ours always has tables.
    if (info.size() == 0)
        throw DbError(QStringLiteral("'%1' is not a database file.").arg(m_path));
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    database.setDatabaseName(info.absoluteFilePath());
    database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
    QString failure;
    if (!database.open()) {
        failure = database.lastError().text();
    } else {
        // SQLite opens anything lazily; the first read tells whether it is a database
        // and whether another program holds it exclusively.
        QSqlQuery probe(database);
        if (!probe.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))
            || !probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next())
            failure = probe.lastError().text();
    }
    if (failure.isEmpty())
        return;
    database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    throw DbError(QStringLiteral("Cannot open database '%1': %2").arg(m_path, failure));
}

void Connection::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    emit aboutToClose();
    {
        QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
        if (database.isOpen()) {
            if (m_inTransaction)
                database.rollback();
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_inTransaction = false;
}

QSqlDatabase Connection::database() const
{
    if (!connected())
        throw DbError(QStringLiteral("Operation is not allowed when the connection is closed."));
    return QSqlDatabase::database(m_connectionName, false);
}

int Connection::execute(const QString &sql)
{
    QSqlQuery query(database());
    const QString text = translateJetSql(sql);
    if (!query.exec(text))
        throw DbError(query.lastError().text(), sql);
    return query.numRowsAffected();
}

void Connection::beginTrans()
{
    QSqlDatabase database = this->database();
    if (m_inTransaction || !database.transaction())
        throw DbError(QStringLiteral("Cannot start a transaction: %1").arg(database.lastError().text()));
    m_inTransaction = true;
}

void Connection::commitTrans()
{
    QSqlDatabase database = this->database();
    if (!m_inTransaction)
        throw DbError(QStringLiteral("No transaction is active."));
    if (!database.commit())
        throw DbError(QStringLiteral("Cannot commit: %1").arg(database.lastError().text()));
    m_inTransaction = false;
}

void Connection::rollbackTrans()
{
    QSqlDatabase database = this->database();
    if (!m_inTransaction)
        throw DbError(QStringLiteral("No transaction is active."));
    m_inTransaction = false;
    if (!database.rollback())
        throw DbError(QStringLiteral("Cannot roll back: %1").arg(database.lastError().text()));
}

} // namespace db
