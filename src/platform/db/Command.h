#pragma once

#include <QString>

namespace db {

class Connection;

// A statement that returns no rows (insert, update, delete) on a connection.
class Command {
public:
    explicit Command(Connection *connection = nullptr) : m_connection(connection) {}

    void setConnection(Connection *connection) { m_connection = connection; }
    Connection *connection() const { return m_connection; }
    void setCommandText(const QString &sql) { m_sql = sql; }
    QString commandText() const { return m_sql; }

    // Raises DbError when the database refuses; returns the number of rows affected.
    int execute();

private:
    Connection *m_connection;
    QString m_sql;
};

} // namespace db
