#pragma once

#include <QString>

namespace db {

// Rewrites the few Access spellings that our statements use into SQLite:
// date literals #yyyy-MM-dd# become 'yyyy-MM-dd', [Column] becomes "Column".
// Text between single or double quotes is left exactly as it is.
QString translateJetSql(const QString &sql);

} // namespace db
