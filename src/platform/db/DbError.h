#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// A failure of the database: bad SQL, a refused change, a file that cannot be opened.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &message, const QString &sql = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_sql(sql)
    {
    }
    QString message() const { return m_message; }
    QString sql() const { return m_sql; } // the statement that failed, when there was one

private:
    QString m_message;
    QString m_sql;
};

} // namespace db
