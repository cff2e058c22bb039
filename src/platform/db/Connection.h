#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

namespace db {

// The program's connection to its database file. Two programs may hold the file at once:
// a statement waits for the other program's lock instead of failing at once, and the file
// is kept in rollback-journal mode, so between transactions the file alone holds every
// committed row and a byte copy of it is a complete backup.
class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    // Takes an Access-style string ("Provider=...;Data Source=<path>;...") or a plain path.
    void setConnectionString(const QString &text);
    QString connectionString() const { return m_connectionString; }
    QString databasePath() const { return m_path; }

    // How long a statement waits for a lock held by another program (default 5000 ms).
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }

    // Opens the file; raises DbError when it is missing, not a database, or locked.
    // Never creates a file.
    void open();
    void close();
    bool connected() const;

    // Runs one statement that returns no rows; raises DbError. Returns the rows affected.
    int execute(const QString &sql);

    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    bool inTransaction() const { return m_inTransaction; }

    // The open Qt connection; raises DbError when closed.
    QSqlDatabase database() const;

signals:
    void aboutToClose();

private:
    QString m_connectionName;
    QString m_connectionString;
    QString m_path;
    int m_busyTimeoutMs = 5000;
    bool m_inTransaction = false;
};

} // namespace db
