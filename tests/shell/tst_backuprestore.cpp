// Backup and restore of the database file: the dialogs, the round trip, refused files,
// unwritable targets, copies that fail half-way and another program writing at the same time.

#include "DmFixture.h"
#include "RecordingPrompts.h"

#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "shell/AppPath.h"
#include "shell/DatabaseBackup.h"
#include "shell/schema/DatabaseScript.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kBackupDone = QStringLiteral("备份数据成功！");
const QString kBackupFailed = QStringLiteral("确认目标位置可读写！");
const QString kRestoreDone = QStringLiteral("数据库还原成功！");
const QString kRestoreFailed = QStringLiteral("还原数据文件发生错误！");

const QStringList kTables = {QStringLiteral("TEmpClass"),    QStringLiteral("TEmployee"),
                             QStringLiteral("TFunc"),        QStringLiteral("TCustClass"),
                             QStringLiteral("TClientClass"), QStringLiteral("TProviderClass"),
                             QStringLiteral("TFormula"),     QStringLiteral("TBillDetail"),
                             QStringLiteral("TPara")};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Every row of the nine tables, as text, in ID order.
QStringList dump(db::Connection *connection)
{
    QStringList rows;
    for (const QString &table : kTables) {
        db::DataSet ds(connection);
        ds.setCommandText(QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table));
        ds.open();
        for (ds.first(); !ds.eof(); ds.next()) {
            QStringList values;
            for (int i = 0; i < ds.fieldCount(); ++i)
                values << ds.field(i).asString();
            rows << table + u':' + values.join(u'|');
        }
    }
    return rows;
}

// What the database file holds, read through a connection of its own.
QStringList dumpFile(const QString &path)
{
    db::Connection connection;
    connection.setConnectionString(path);
    connection.open();
    return dump(&connection);
}

// Files a copy leaves behind when it does not clean up: temporary names and journals.
QStringList strayFiles(const QString &folder)
{
    QStringList stray;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        if (name.startsWith(u'.') || name.endsWith(QLatin1String("-journal")))
            stray << name;
    return stray;
}

// The updater, or any other program that has the database file open at the same time.
class OtherProgram {
public:
    explicit OtherProgram(const QString &path) : m_name(QStringLiteral("other-program-%1").arg(++s_count))
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        database.open();
    }
    ~OtherProgram()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString &sql)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (query.exec(sql))
            return true;
        qWarning().noquote() << "other program:" << query.lastError().text() << sql;
        return false;
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

// Files this process writes cannot grow past `bytes` while it lives: a disk that fills up in
// the middle of a copy.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace

class TestBackupRestore : public QObject {
    Q_OBJECT

private:
    // Rows in every table, so that a lost or extra row shows.
    static bool seed(DmFixture &fix)
    {
        return fix.exec(QStringLiteral("INSERT INTO TEmpClass (TypeCode, TypeName, ParTypeCode, nLeveal) VALUES ('0001','行政部','',1)"))
            && fix.exec(QStringLiteral("INSERT INTO TFunc (FuncCode, FuncName) VALUES ('JL','经理')"))
            && fix.exec(QStringLiteral("INSERT INTO TEmployee (Code, UserName, TypeCode, FuncCode) VALUES ('00010001','张三','0001','JL')"))
            && fix.exec(QStringLiteral("INSERT INTO TCustClass (TypeCode, TypeName, ParTypeCode, nLeveal) VALUES ('0001','差旅费','',1)"))
            && fix.exec(QStringLiteral("INSERT INTO TClientClass (TypeCode, TypeName) VALUES ('0001','客户甲')"))
            && fix.exec(QStringLiteral("INSERT INTO TProviderClass (TypeCode, TypeName) VALUES ('0001','供应商甲')"))
            && fix.exec(QStringLiteral("INSERT INTO TFormula (FuncCode, CustTypeCode, Formula) VALUES ('JL','0001','{SUM_D 0001:行政部\\}*2')"))
            && fix.exec(QStringLiteral("INSERT INTO TBillDetail (OcrDate, DepartCode, EmpID, CustCode, Total, Desp) "
                                       "VALUES ('2026-01-05 00:00:00','0001','00010001','0001',120.5,'火车票')"));
    }

    static QString todaysName()
    {
        return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".CBK");
    }

    static void backupTo(DmFixture &fix, RecordingPrompts &prompts, const QString &target)
    {
        prompts.fileAnswers.enqueue(target);
        BackupDatabaseWithDialog(fix.connection());
    }

    static void restoreFrom(DmFixture &fix, RecordingPrompts &prompts, const QString &source)
    {
        prompts.fileAnswers.enqueue(source);
        RestoreDatabaseWithDialog(fix.connection());
    }

private slots:
    void dialogsOfferTheBackupFolderAndFileType()
    {
        DmFixture fix;
        RecordingPrompts prompts;
        BackupDatabaseWithDialog(fix.connection()); // cancelled
        RestoreDatabaseWithDialog(fix.connection()); // cancelled

        QCOMPARE(prompts.shown.size(), 3);
        const FileDialogSpec save = prompts.shown.at(0).file;
        QCOMPARE(prompts.shown.at(0).kind, QStringLiteral("saveFile"));
        QCOMPARE(save.title, QStringLiteral("备份文件"));
        QCOMPARE(save.folder, AppPath + QStringLiteral("Bak"));
        QCOMPARE(save.fileName, todaysName());
        QCOMPARE(save.filter, QStringLiteral("费用分解资料备份文件(*.CBK)"));
        QCOMPARE(save.defaultSuffix, QStringLiteral("CBK"));

        QCOMPARE(prompts.shown.at(1).kind, QStringLiteral("warning"));
        QCOMPARE(prompts.shown.at(1).text,
                 QStringLiteral("警告：还原数据库将会把当前设置状况下的数据覆盖，且不可恢复！\n"
                                "建议在还原之前先备份数据库！\n请谨慎使用本功能！"));
        const FileDialogSpec open = prompts.shown.at(2).file;
        QCOMPARE(prompts.shown.at(2).kind, QStringLiteral("openFile"));
        QCOMPARE(open.title, QStringLiteral("选择文件还原数据库"));
        QCOMPARE(open.folder, AppPath + QStringLiteral("Bak"));
        QCOMPARE(open.filter, QStringLiteral("费用分解资料备份文件(*.CBK)"));
    }

    void cancellingChangesNothing_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("backup dialog cancelled") << false;
        QTest::newRow("restore dialog cancelled") << true;
    }
    void cancellingChangesNothing()
    {
        QFETCH(bool, restore);
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QByteArray before = fileBytes(fix.folder.databasePath());
        if (restore)
            RestoreDatabaseWithDialog(fix.connection());
        else
            BackupDatabaseWithDialog(fix.connection());
        QVERIFY(prompts.texts(QStringLiteral("message")).isEmpty());
        QVERIFY(fix.connection()->connected());
        QCOMPARE(fix.value(QStringLiteral("SELECT UserName FROM TEmployee")), QStringLiteral("张三"));
        QCOMPARE(fileBytes(fix.folder.databasePath()), before);
        QVERIFY(QDir(fix.folder.filePath(QStringLiteral("Bak"))).isEmpty());
    }

    void backupIsAnExactCopyAndReplacesTheSameName()
    {
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QString target = fix.folder.filePath(QStringLiteral("Bak/") + todaysName());
        QVERIFY(writeFile(target, "an older backup of the same day"));

        backupTo(fix, prompts, target);

        QCOMPARE(prompts.messages(), QStringList{kBackupDone});
        QVERIFY(prompts.texts(QStringLiteral("confirm")).isEmpty()); // replaced without a question
        QVERIFY(fix.connection()->connected());
        QCOMPARE(fileBytes(target), fileBytes(fix.folder.databasePath()));
        QCOMPARE(strayFiles(fix.folder.filePath(QStringLiteral("Bak"))), QStringList());
    }

    void typedNameGetsTheExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "monday" << "monday.CBK";
        QTest::newRow("ends with a dot") << "monday." << "monday.CBK";
        QTest::newRow("own extension kept") << "monday.bak" << "monday.bak";
        QTest::newRow("CBK kept") << "monday.CBK" << "monday.CBK";
    }
    void typedNameGetsTheExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        DmFixture fix;
        RecordingPrompts prompts;
        const QString bak = fix.folder.filePath(QStringLiteral("Bak/"));
        backupTo(fix, prompts, bak + typed);
        QCOMPARE(prompts.lastMessage(), kBackupDone);
        QCOMPARE(QDir(bak).entryList(QDir::Files), QStringList{written});
    }

    void backupThenRestoreGivesBackExactlyThatState()
    {
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QString first = fix.folder.filePath(QStringLiteral("Bak/first.CBK"));
        const QString second = fix.folder.filePath(QStringLiteral("Bak/second.CBK"));

        const QStringList stateOne = dump(fix.connection());
        backupTo(fix, prompts, first);
        QVERIFY(fix.exec(QStringLiteral("INSERT INTO TBillDetail (OcrDate, DepartCode, CustCode, Total) VALUES ('2026-02-01 00:00:00','0001','0001',9)")));
        QVERIFY(fix.exec(QStringLiteral("UPDATE TPara SET ClientVer='2027010100'")));
        QVERIFY(fix.exec(QStringLiteral("DELETE FROM TFormula")));
        const QStringList stateTwo = dump(fix.connection());
        backupTo(fix, prompts, second);
        QVERIFY(fix.exec(QStringLiteral("DELETE FROM TBillDetail")));
        QVERIFY(fix.exec(QStringLiteral("UPDATE TPara SET ClientVer='2028010100'")));
        QCOMPARE(prompts.messages(), QStringList({kBackupDone, kBackupDone}));

        prompts.clear();
        restoreFrom(fix, prompts, first);
        QCOMPARE(prompts.lastMessage(), kRestoreDone);
        QVERIFY(fix.connection()->connected());
        QCOMPARE(dump(fix.connection()), stateOne);
        QCOMPARE(fix.value(QStringLiteral("SELECT ClientVer FROM TPara")), QStringLiteral("2026120100"));

        restoreFrom(fix, prompts, second);
        QCOMPARE(prompts.lastMessage(), kRestoreDone);
        QCOMPARE(dump(fix.connection()), stateTwo);
        QCOMPARE(fix.value(QStringLiteral("SELECT ClientVer FROM TPara")), QStringLiteral("2027010100"));

        // A restore of the backup just taken changes nothing, to the byte.
        const QString third = fix.folder.filePath(QStringLiteral("Bak/third.CBK"));
        backupTo(fix, prompts, third);
        const QByteArray before = fileBytes(fix.folder.databasePath());
        restoreFrom(fix, prompts, third);
        QCOMPARE(prompts.lastMessage(), kRestoreDone);
        QCOMPARE(fileBytes(fix.folder.databasePath()), before);
        // So does choosing the database file itself.
        restoreFrom(fix, prompts, fix.folder.databasePath());
        QCOMPARE(prompts.lastMessage(), kRestoreDone);
        QCOMPARE(fileBytes(fix.folder.databasePath()), before);
        QCOMPARE(strayFiles(fix.folder.filePath(QStringLiteral("DB"))), QStringList());
    }

    void unwritableTargetIsReported_data()
    {
        QTest::addColumn<QString>("target"); // relative to the program folder, or absolute
        QTest::addColumn<QString>("setup");
        QTest::newRow("missing folder") << "NoSuchFolder/x.CBK" << "";
        QTest::newRow("folder is a file") << "DB/Data.MDB/x.CBK" << "";
        QTest::newRow("read-only folder") << "Bak/x.CBK" << "read-only Bak";
        QTest::newRow("read-only file system") << "/proc/x.CBK" << "read-only system folder";
        QTest::newRow("a folder has the name") << "Bak/x.CBK" << "folder x.CBK";
    }
    void unwritableTargetIsReported()
    {
        QFETCH(QString, target);
        QFETCH(QString, setup);
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QString bak = fix.folder.filePath(QStringLiteral("Bak"));
        if (setup == QLatin1String("folder x.CBK"))
            QVERIFY(QDir(bak).mkdir(QStringLiteral("x.CBK")));
        if (setup == QLatin1String("read-only Bak")) {
            QFile::setPermissions(bak, QFile::ReadOwner | QFile::ExeOwner);
            if (writeFile(bak + QStringLiteral("/probe"), "x")) {
                QFile::remove(bak + QStringLiteral("/probe"));
                QFile::setPermissions(bak, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("folder permissions do not bind this user (root)");
            }
        }
        if (setup == QLatin1String("read-only system folder") && writeFile(target, "x")) {
            QFile::remove(target);
            QSKIP("this machine lets the folder be written");
        }
        const QByteArray before = fileBytes(fix.folder.databasePath());

        backupTo(fix, prompts, target.startsWith(u'/') ? target : fix.folder.filePath(target));
        QFile::setPermissions(bak, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(prompts.messages(), QStringList{kBackupFailed});
        QVERIFY(fix.connection()->connected());
        QCOMPARE(fix.value(QStringLiteral("SELECT UserName FROM TEmployee")), QStringLiteral("张三"));
        QCOMPARE(fileBytes(fix.folder.databasePath()), before);
        QCOMPARE(QDir(bak).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 setup == QLatin1String("folder x.CBK") ? QStringList{QStringLiteral("x.CBK")} : QStringList());
    }

    void restoreRefusesWhatIsNotOurDatabase_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text file") << "text";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("SQLite file without our tables") << "foreign";
        QTest::newRow("one of the nine tables missing") << "eight";
        QTest::newRow("backup cut off half-way") << "truncated";
        QTest::newRow("write-ahead-log database") << "wal";
        QTest::newRow("missing file") << "missing";
    }
    void restoreRefusesWhatIsNotOurDatabase()
    {
        QFETCH(QString, kind);
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QString source = fix.folder.filePath(QStringLiteral("Bak/source.CBK"));
        if (kind == QLatin1String("text")) {
            QVERIFY(writeFile(source, QByteArray("这不是数据库\n").repeated(500)));
        } else if (kind == QLatin1String("empty")) {
            QVERIFY(writeFile(source, QByteArray()));
        } else if (kind == QLatin1String("foreign")) {
            QCOMPARE(RunSqlScript(source, QStringLiteral("CREATE TABLE Songs (ID INTEGER PRIMARY KEY, Title TEXT);"
                                                         "INSERT INTO Songs (Title) VALUES ('x');")),
                     QString());
        } else if (kind == QLatin1String("eight")) {
            QCOMPARE(CreateDatabase(source, false), QString());
            QCOMPARE(RunSqlScript(source, QStringLiteral("DROP TABLE TProviderClass;")), QString());
        } else if (kind == QLatin1String("truncated")) {
            QCOMPARE(CreateDatabase(source, true), QString());
            const QByteArray whole = fileBytes(source);
            QVERIFY(writeFile(source, whole.left(whole.size() / 2)));
        } else if (kind == QLatin1String("wal")) {
            QCOMPARE(CreateDatabase(source, false), QString());
            QCOMPARE(RunSqlScript(source, QStringLiteral("PRAGMA journal_mode=WAL;")), QString());
            QCOMPARE(fileBytes(source).at(18), char(2));
        }
        const QByteArray before = fileBytes(fix.folder.databasePath());
        const QByteArray sourceBefore = fileBytes(source);

        restoreFrom(fix, prompts, source);

        QCOMPARE(prompts.texts(QStringLiteral("message")), QStringList{kRestoreFailed});
        QVERIFY(fix.connection()->connected());
        QCOMPARE(fix.value(QStringLiteral("SELECT UserName FROM TEmployee")), QStringLiteral("张三"));
        QCOMPARE(fileBytes(fix.folder.databasePath()), before);
        QCOMPARE(fileBytes(source), sourceBefore);
        QCOMPARE(strayFiles(fix.folder.filePath(QStringLiteral("DB"))), QStringList());
    }

    void copyFailingHalfWayLeavesTheOldFile_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("backup over an older backup") << false;
        QTest::newRow("restore over the database") << true;
    }
    void copyFailingHalfWayLeavesTheOldFile()
    {
        QFETCH(bool, restore);
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QString backup = fix.folder.filePath(QStringLiteral("Bak/old.CBK"));
        backupTo(fix, prompts, backup);
        QCOMPARE(prompts.lastMessage(), kBackupDone);
        // The backup differs from the database, so a partial copy would show either way.
        QVERIFY(fix.exec(QStringLiteral("DELETE FROM TBillDetail")));
        QVERIFY(fix.exec(QStringLiteral("UPDATE TPara SET ClientVer='2029010100'")));
        const QString replaced = restore ? fix.folder.databasePath() : backup;
        const QByteArray before = fileBytes(replaced);
        const QStringList dataBefore = dump(fix.connection());
        prompts.clear();
        {
            FileSizeLimit limit(rlim_t(before.size() / 2));
            QVERIFY(limit.active());
            if (restore)
                restoreFrom(fix, prompts, backup);
            else
                backupTo(fix, prompts, backup);
        }
        QCOMPARE(prompts.texts(QStringLiteral("message")), QStringList{restore ? kRestoreFailed : kBackupFailed});
        QCOMPARE(fileBytes(replaced), before);
        QVERIFY(fix.connection()->connected());
        QCOMPARE(dump(fix.connection()), dataBefore);
        QCOMPARE(strayFiles(fix.folder.filePath(QStringLiteral("DB"))), QStringList());
        QCOMPARE(strayFiles(fix.folder.filePath(QStringLiteral("Bak"))), QStringList());
    }

    void backupWhileAnotherProgramHasATransactionOpen()
    {
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        OtherProgram updater(fix.folder.databasePath());
        QVERIFY(updater.exec(QStringLiteral("UPDATE TPara SET ClientVer='2027020200'"))); // committed
        const QStringList committed = dump(fix.connection());
        QVERIFY(updater.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(updater.exec(QStringLiteral("INSERT INTO TFunc (FuncCode, FuncName) VALUES ('UNCOMMITTED','x')")));

        const QString target = fix.folder.filePath(QStringLiteral("Bak/during.CBK"));
        backupTo(fix, prompts, target);
        QCOMPARE(prompts.messages(), QStringList{kBackupDone});
        QVERIFY(fix.connection()->connected());
        // The backup no longer blocks the other program.
        QVERIFY(updater.exec(QStringLiteral("COMMIT")));

        QVERIFY(committed.contains(QStringLiteral("TPara:1|2027020200")));
        QCOMPARE(dumpFile(target), committed);
        QVERIFY(IsProgramDatabase(target));
    }

    void backupNeverCopiesAHalfWrittenFile()
    {
        // The other program's transaction outgrew its cache and is writing into the file
        // itself; only its journal knows the committed state. The backup must not copy that.
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QByteArray committed = fileBytes(fix.folder.databasePath());
        OtherProgram updater(fix.folder.databasePath());
        QVERIFY(updater.exec(QStringLiteral("PRAGMA cache_size=5")));
        QVERIFY(updater.exec(QStringLiteral("BEGIN IMMEDIATE")));
        for (int i = 0; i < 400; ++i)
            QVERIFY(updater.exec(QStringLiteral("INSERT INTO TBillDetail (OcrDate, Desp) VALUES ('2026-03-01 00:00:00','%1')")
                                     .arg(QString(300, QChar(u'A' + i % 26)))));
        QVERIFY2(fileBytes(fix.folder.databasePath()) != committed, "the transaction did not reach the file");

        const QString target = fix.folder.filePath(QStringLiteral("Bak/during.CBK"));
        backupTo(fix, prompts, target);
        QCOMPARE(prompts.messages(), QStringList{kBackupFailed});
        QVERIFY(!QFile::exists(target));
        QCOMPARE(strayFiles(fix.folder.filePath(QStringLiteral("Bak"))), QStringList());

        QVERIFY(updater.exec(QStringLiteral("ROLLBACK")));
        QVERIFY(fix.connection()->connected());
        QCOMPARE(fix.value(QStringLiteral("SELECT count(*) FROM TBillDetail")), QStringLiteral("1"));
    }

    void restoreWaitsForNoWriterAndNeverReplacesUnderOne()
    {
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QString backup = fix.folder.filePath(QStringLiteral("Bak/b.CBK"));
        backupTo(fix, prompts, backup);
        QVERIFY(fix.exec(QStringLiteral("UPDATE TPara SET ClientVer='2027030300'")));
        const QByteArray before = fileBytes(fix.folder.databasePath());

        OtherProgram updater(fix.folder.databasePath());
        QVERIFY(updater.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(updater.exec(QStringLiteral("INSERT INTO TFunc (FuncCode, FuncName) VALUES ('W','x')")));
        prompts.clear();
        restoreFrom(fix, prompts, backup);
        QCOMPARE(prompts.texts(QStringLiteral("message")), QStringList{kRestoreFailed});
        QCOMPARE(fileBytes(fix.folder.databasePath()), before);
        QVERIFY(updater.exec(QStringLiteral("COMMIT")));
        QVERIFY(fix.connection()->connected());
        QCOMPARE(fix.value(QStringLiteral("SELECT FuncName FROM TFunc WHERE FuncCode='W'")), QStringLiteral("x"));
        QCOMPARE(strayFiles(fix.folder.filePath(QStringLiteral("DB"))), QStringList());
    }

    void restoreReplacesADamagedDatabase()
    {
        // Restoring is what a user does when the database itself is broken.
        DmFixture fix;
        QVERIFY(seed(fix));
        RecordingPrompts prompts;
        const QString backup = fix.folder.filePath(QStringLiteral("Bak/good.CBK"));
        backupTo(fix, prompts, backup);
        const QStringList good = dump(fix.connection());
        fix.connection()->close();
        QVERIFY(writeFile(fix.folder.databasePath(), QByteArray("garbage").repeated(1000)));
        prompts.clear();
        restoreFrom(fix, prompts, backup);
        QCOMPARE(prompts.texts(QStringLiteral("message")), QStringList{kRestoreDone});
        QVERIFY(fix.connection()->connected());
        QCOMPARE(dump(fix.connection()), good);
    }
};

QTEST_MAIN(TestBackupRestore)
#include "tst_backuprestore.moc"
