#pragma once

// Backup and restore of the database file. Both work while another program (the updater) has
// the same file open: the bytes are read under the file's read lock, so no other program can
// write the file while it is copied, and a new file is always written under a temporary name
// beside its target, flushed to disk and renamed into place, so a failure never leaves a
// partial file where a complete one was.

#include <QString>

namespace db {
class Connection;
}

// Whether `path` is a database of this program: an intact SQLite file in rollback-journal mode
// that holds the nine tables of the schema.
bool IsProgramDatabase(const QString &path);

// Writes a byte-exact copy of the database at `database` to `target`, replacing any file of
// that name. The copy holds every committed row and nothing uncommitted. `connection`, the
// program's own connection to the file, is closed for the copy once the file is locked; the
// caller opens it again. Raises FileError; on failure `target` is left as it was.
void BackupDatabase(const QString &database, const QString &target, db::Connection *connection = nullptr);

// Puts the file `source` in place of the database at `database`. A source that is not a
// database of this program is refused. The database file is replaced by one atomic rename
// while no other program is in the middle of writing it; `connection` is closed just before
// and the caller opens it again. Raises FileError; on failure the database file is left as
// it was.
void RestoreDatabase(const QString &source, const QString &database, db::Connection *connection = nullptr);

// The system menu's backup: asks for the target in the backup folder, copies the database
// file of `connection` with the connection closed, opens it again in every case and tells
// the user how it went.
void BackupDatabaseWithDialog(db::Connection *connection);

// The system menu's restore: warns, asks for the backup file, replaces the database file of
// `connection` with the connection closed, opens it again in every case and tells the user
// how it went.
void RestoreDatabaseWithDialog(db::Connection *connection);
