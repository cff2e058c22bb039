#pragma once

#include <QString>

// The schema and demonstration data of the program's database, and the one way to lay them
// into a new file. Used by the build (the makedb tool) and by test fixtures, never by the
// programs themselves.
QString SchemaSql();
QString DemoSql();

// Runs a whole SQL script (several statements, triggers included) on the SQLite file at
// `path`, creating the file when it is missing. Returns an empty text or the error.
QString RunSqlScript(const QString &path, const QString &script);

// Writes a new database file at `path` from the schema, plus the demonstration data when
// `withDemo` is set. The file is built under a temporary name and renamed into place, so a
// failure leaves no half-made database. Returns an empty text or the error.
QString CreateDatabase(const QString &path, bool withDemo);
