#include "platform/db/Command.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"

namespace db {

int Command::execute()
{
    if (!m_connection)
        throw DbError(QStringLiteral("No connection is set."), m_sql);
    return m_connection->execute(m_sql);
}

} // namespace db
