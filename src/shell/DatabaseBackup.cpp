#include "shell/DatabaseBackup.h"

#include "platform/Prompts.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "shell/AppPath.h"
#include "shell/uPub.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As long as the shared connection waits for another program's lock.
constexpr int kBusyTimeoutMs = 5000;

const char *const kTables[] = {"TEmpClass",  "TEmployee",   "TFunc",       "TCustClass", "TClientClass",
                               "TProviderClass", "TFormula", "TBillDetail", "TPara"};

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// An SQLite connection of its own on a database file, holding a read transaction: while it
// lives no other connection (of this or another program) can write the file, and what the
// file holds is exactly the committed state.
class ReadLockedDatabase {
public:
    ReadLockedDatabase(const QString &path, int openFlags) : m_path(path)
    {
        const QByteArray name = QFile::encodeName(path);
        try {
            if (sqlite3_open_v2(name.constData(), &m_db, openFlags, nullptr) != SQLITE_OK)
                fail(QStringLiteral("Cannot open"));
            sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
            exec("BEGIN");
            // The first read takes the shared lock, plays back a journal left by a writer that
            // died, and tells whether the file is a database at all.
            exec("SELECT count(*) FROM sqlite_master");
            checkRollbackJournalMode();
        } catch (const FileError &) {
            sqlite3_close_v2(m_db);
            throw;
        }
    }

    ~ReadLockedDatabase()
    {
        // Ending the read transaction releases the lock; closing frees the handle.
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }

    ReadLockedDatabase(const ReadLockedDatabase &) = delete;
    ReadLockedDatabase &operator=(const ReadLockedDatabase &) = delete;

    // Raises FileError unless the file is an intact database of this program.
    void checkIsProgramDatabase()
    {
        if (firstValue("PRAGMA quick_check").compare(QLatin1String("ok"), Qt::CaseInsensitive) != 0)
            throw FileError(QStringLiteral("\"%1\" is damaged.").arg(m_path));
        QSet<QString> tables;
        sqlite3_stmt *statement = prepare("SELECT name FROM sqlite_master WHERE type = 'table'");
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            tables.insert(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))).toLower());
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            fail(QStringLiteral("Cannot read the tables of"));
        for (const char *table : kTables)
            if (!tables.contains(QString::fromLatin1(table).toLower()))
                throw FileError(QStringLiteral("\"%1\" has no table %2.").arg(m_path, QLatin1String(table)));
    }

    // Hands the file's bytes, from the first to the last, to `sink(data, size)`.
    template <typename Sink>
    void copyBytes(Sink &&sink)
    {
        sqlite3_file *file = this->file();
        const sqlite3_int64 size = fileSize(file);
        QByteArray buffer(64 * 1024, Qt::Uninitialized);
        for (sqlite3_int64 offset = 0; offset < size;) {
            const int n = int(std::min<sqlite3_int64>(buffer.size(), size - offset));
            if (file->pMethods->xRead(file, buffer.data(), n, offset) != SQLITE_OK)
                throw FileError(QStringLiteral("Read error on \"%1\".").arg(m_path));
            sink(buffer.constData(), n);
            offset += n;
        }
    }

private:
    // The file is read through SQLite's own handle of it: opening it a second time and closing
    // that would drop every lock this process holds on it.
    sqlite3_file *file()
    {
        sqlite3_file *file = nullptr;
        if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
            || !file->pMethods)
            throw FileError(QStringLiteral("Cannot reach the file \"%1\".").arg(m_path));
        return file;
    }

    sqlite3_int64 fileSize(sqlite3_file *file)
    {
        sqlite3_int64 size = 0;
        if (file->pMethods->xFileSize(file, &size) != SQLITE_OK)
            throw FileError(QStringLiteral("Cannot read the size of \"%1\".").arg(m_path));
        return size;
    }

    // Bytes 18 and 19 of the header are 2 in write-ahead-log mode, where committed rows may
    // still sit in a second file that a copy of this one would miss.
    void checkRollbackJournalMode()
    {
        sqlite3_file *file = this->file();
        if (fileSize(file) < 100)
            return; // an empty file: no header yet
        char header[100];
        if (file->pMethods->xRead(file, header, sizeof header, 0) != SQLITE_OK)
            throw FileError(QStringLiteral("Read error on \"%1\".").arg(m_path));
        if (header[18] == 2 || header[19] == 2)
            throw FileError(QStringLiteral("\"%1\" keeps a write-ahead log.").arg(m_path));
    }

    [[noreturn]] void fail(const QString &what)
    {
        throw FileError(QStringLiteral("%1 \"%2\": %3").arg(what, m_path, QString::fromUtf8(sqlite3_errmsg(m_db))));
    }

    void exec(const char *sql)
    {
        sqlite3_stmt *statement = prepare(sql);
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        }
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            fail(QStringLiteral("Cannot read"));
    }

    QString firstValue(const char *sql)
    {
        sqlite3_stmt *statement = prepare(sql);
        QString value;
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            fail(QStringLiteral("Cannot read"));
        return value;
    }

    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            fail(QStringLiteral("Cannot read"));
        return statement;
    }

    QString m_path;
    sqlite3 *m_db = nullptr;
};

// Holds the write lock of a database file that is about to be replaced, so that no other
// program is half-way through writing it and no journal of it is left behind to be played
// back onto the new file.
class WriteLockedDatabase {
public:
    explicit WriteLockedDatabase(const QString &path)
    {
        if (!QFileInfo::exists(path))
            return;
        const QByteArray name = QFile::encodeName(path);
        if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
            if (sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK)
                return;
        }
        const int code = sqlite3_errcode(m_db) & 0xFF;
        const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        // A file that is not a database has nothing to protect; replacing it is what a restore
        // is for.
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            return;
        throw FileError(QStringLiteral("Cannot lock \"%1\": %2").arg(path, reason));
    }

    ~WriteLockedDatabase()
    {
        if (!m_db)
            return;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }

    WriteLockedDatabase(const WriteLockedDatabase &) = delete;
    WriteLockedDatabase &operator=(const WriteLockedDatabase &) = delete;

private:
    sqlite3 *m_db = nullptr;
};

// A new file written under a temporary name in the folder of `target`; replace() flushes it
// to disk and renames it over `target` in one step. Dropped without replace(), it is removed.
class FileBesideTarget {
public:
    explicit FileBesideTarget(const QString &target) : m_target(QFile::encodeName(target))
    {
        const QFileInfo info(target);
        for (int attempt = 0; m_fd < 0; ++attempt) {
            const QString name = QStringLiteral("%1/.%2.%3.tmp")
                                     .arg(info.absolutePath(), info.fileName())
                                     .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            m_temp = QFile::encodeName(name);
            m_fd = ::open(m_temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && (errno != EEXIST || attempt > 100))
                throw FileError(QStringLiteral("Cannot create a file in \"%1\": %2").arg(info.absolutePath(), errnoText()));
        }
        // A replaced file keeps its permissions.
        struct stat old;
        if (::stat(m_target.constData(), &old) == 0)
            ::fchmod(m_fd, old.st_mode & 07777);
    }

    ~FileBesideTarget()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_replaced)
            ::unlink(m_temp.constData());
    }

    FileBesideTarget(const FileBesideTarget &) = delete;
    FileBesideTarget &operator=(const FileBesideTarget &) = delete;

    void write(const char *data, qint64 size)
    {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size_t(size));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw FileError(QStringLiteral("Write error on \"%1\": %2").arg(QFile::decodeName(m_temp), errnoText()));
            data += n;
            size -= n;
        }
    }

    // Everything written is on the disk before the file takes the target's name.
    void flush()
    {
        if (::fsync(m_fd) != 0)
            throw FileError(QStringLiteral("Cannot flush \"%1\": %2").arg(QFile::decodeName(m_temp), errnoText()));
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            throw FileError(QStringLiteral("Cannot close \"%1\": %2").arg(QFile::decodeName(m_temp), errnoText()));
    }

    void replace()
    {
        if (::rename(m_temp.constData(), m_target.constData()) != 0)
            throw FileError(QStringLiteral("Cannot replace \"%1\": %2").arg(QFile::decodeName(m_target), errnoText()));
        m_replaced = true;
        // Make the new name itself durable. The file is already in place, so a failure here
        // changes nothing the user could act on.
        const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(m_target)).absolutePath());
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

private:
    QByteArray m_target;
    QByteArray m_temp;
    int m_fd = -1;
    bool m_replaced = false;
};

FileDialogSpec backupFileDialog(const QString &title)
{
    FileDialogSpec request;
    request.title = title;
    request.folder = AppPath + QStringLiteral("Bak");
    request.filter = QStringLiteral("费用分解资料备份文件(*.CBK)");
    request.defaultSuffix = QStringLiteral("CBK");
    return request;
}

bool reopen(db::Connection *connection)
{
    try {
        connection->open();
        return true;
    } catch (const db::DbError &) {
        return false;
    }
}

} // namespace

bool IsProgramDatabase(const QString &path)
{
    try {
        ReadLockedDatabase database(path, SQLITE_OPEN_READONLY);
        database.checkIsProgramDatabase();
        return true;
    } catch (const FileError &) {
        return false;
    }
}

void BackupDatabase(const QString &database, const QString &target, db::Connection *connection)
{
    // Read-write, so that a journal left by a writer that died can be played back first.
    ReadLockedDatabase source(database, SQLITE_OPEN_READWRITE);
    FileBesideTarget copy(target);
    if (connection)
        connection->close();
    source.copyBytes([&copy](const char *data, qint64 size) { copy.write(data, size); });
    copy.flush();
    copy.replace();
}

void RestoreDatabase(const QString &source, const QString &database, db::Connection *connection)
{
    FileBesideTarget copy(database);
    {
        ReadLockedDatabase backup(source, SQLITE_OPEN_READONLY);
        backup.checkIsProgramDatabase();
        backup.copyBytes([&copy](const char *data, qint64 size) { copy.write(data, size); });
    } // the source's lock goes before the database's is taken: they may be the same file
    copy.flush();
    const WriteLockedDatabase current(database);
    if (connection)
        connection->close();
    copy.replace();
}

void BackupDatabaseWithDialog(db::Connection *connection)
{
    FileDialogSpec request = backupFileDialog(QStringLiteral("备份文件"));
    request.fileName = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".CBK");
    QString target = Prompts::instance().saveFile(request);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).suffix().isEmpty())
        target += target.endsWith(u'.') ? QStringLiteral("CBK") : QStringLiteral(".CBK");

    bool done = true;
    try {
        BackupDatabase(connection->databasePath(), target, connection);
    } catch (const FileError &) {
        done = false;
    }
    if (!reopen(connection))
        done = false;
    Prompts::instance().message(done ? QStringLiteral("备份数据成功！") : QStringLiteral("确认目标位置可读写！"));
}

void RestoreDatabaseWithDialog(db::Connection *connection)
{
    Prompts::instance().warning(QStringLiteral("警告：还原数据库将会把当前设置状况下的数据覆盖，且不可恢复！\n"
                                               "建议在还原之前先备份数据库！\n"
                                               "请谨慎使用本功能！"));
    const QString source = Prompts::instance().openFile(backupFileDialog(QStringLiteral("选择文件还原数据库")));
    if (source.isEmpty())
        return;

    try {
        RestoreDatabase(source, connection->databasePath(), connection);
    } catch (const FileError &) {
        reopen(connection);
        Prompts::instance().message(QStringLiteral("还原数据文件发生错误！"));
        return;
    }
    Prompts::instance().message(QStringLiteral("数据库还原成功！"));
    if (!reopen(connection))
        Prompts::instance().message(QStringLiteral("未能打开数据库文件！"));
}
