// The database layer: the connection's open rules, datasets that read, edit and delete by
// key, the errors the windows rely on, and the translation of Access spellings.
#include "TempProgramFolder.h"
#include "platform/db/Command.h"
#include "platform/db/Connection.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/text/SqlText.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace db;

class TestDataSet : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void translatesJetSpellings_data();
    void translatesJetSpellings();

    void openRefusesWhatIsNotOurDatabase_data();
    void openRefusesWhatIsNotOurDatabase();
    void openFailsWhileAnotherProgramHoldsTheFileExclusively();
    void openDoesNotCreateAMissingFile();

    void appendPostsAndReadsBackIdAndDefaults();
    void editPostsOnlyByKey();
    void deleteRemovesByKeyAndKeepsCursorInRange();
    void nullsReadAsEmptyZeroAndNoDate();
    void datesAreStoredAsTextAndSelectableByDayBounds();
    void errorsAreRaised_data();
    void errorsAreRaised();
    void refusedPostKeepsTheEditPending();
    void walkingAndClientSideSort();
    void joinedQueryEditsTheFirstTableOnly();
    void quotedTextWithHashAndBracketsSurvivesRoundTrip();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Connection> m_connection;
};

void TestDataSet::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY2(m_folder->isValid(), qPrintable(m_folder->error()));
    m_connection = std::make_unique<Connection>();
    m_connection->setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=")
                                      + m_folder->databasePath() + QStringLiteral(";Persist Security Info=False"));
    m_connection->open();
    QVERIFY(m_connection->connected());
}

void TestDataSet::cleanup()
{
    m_connection.reset();
    m_folder.reset();
}

void TestDataSet::translatesJetSpellings_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("date literals") << "Select * from TBillDetail where OcrDate>=#2026-11-01# and OcrDate<#2026-12-01#"
                                   << "Select * from TBillDetail where OcrDate>='2026-11-01' and OcrDate<'2026-12-01'";
    QTest::newRow("bracketed column") << "Select [Code] from TEmployee" << "Select \"Code\" from TEmployee";
    QTest::newRow("hash inside a text literal stays") << "Select * from T where Desp='#2026-01-01#'"
                                                      << "Select * from T where Desp='#2026-01-01#'";
    QTest::newRow("brackets inside a text literal stay") << "Update T Set Desp='[x]' where [ID]=1"
                                                         << "Update T Set Desp='[x]' where \"ID\"=1";
    QTest::newRow("doubled quote does not end the literal") << "Select * from T where Name='O''Brien #1# [a]' and d=#2026-02-03#"
                                                             << "Select * from T where Name='O''Brien #1# [a]' and d='2026-02-03'";
    QTest::newRow("lone hash untouched") << "Select 1 # 2" << "Select 1 # 2";
    QTest::newRow("unterminated literal copied as is") << "Select 'abc #1#" << "Select 'abc #1#";
}

void TestDataSet::translatesJetSpellings()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(translateJetSql(jet), sqlite);
}

void TestDataSet::openRefusesWhatIsNotOurDatabase_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("text file") << QByteArray("这不是数据库\nnot a database at all, just some text\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("random bytes") << QByteArray(4096, '\x5a');
}

void TestDataSet::openRefusesWhatIsNotOurDatabase()
{
    QFETCH(QByteArray, content);
    const QString path = m_folder->filePath(QStringLiteral("Bak/bogus.CBK"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    Connection c;
    c.setConnectionString(path);
    QVERIFY_THROWS_EXCEPTION(DbError, c.open());
    QVERIFY(!c.connected());
}

void TestDataSet::openFailsWhileAnotherProgramHoldsTheFileExclusively()
{
    // In exclusive locking mode a connection keeps its write lock after the first write.
    m_connection->execute(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
    m_connection->execute(QStringLiteral("Update TPara Set ClientVer='2026120101'"));
    Connection other;
    other.setBusyTimeout(200);
    other.setConnectionString(m_folder->databasePath());
    QVERIFY_THROWS_EXCEPTION(DbError, other.open());
    QVERIFY(!other.connected());
    m_connection->close();
    other.open();
    QVERIFY(other.connected());
}

void TestDataSet::openDoesNotCreateAMissingFile()
{
    const QString path = m_folder->filePath(QStringLiteral("DB/Missing.MDB"));
    Connection c;
    c.setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path);
    QVERIFY_THROWS_EXCEPTION(DbError, c.open());
    QVERIFY(!QFile::exists(path));
}

void TestDataSet::appendPostsAndReadsBackIdAndDefaults()
{
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select * from TEmployee where ID=-1"));
    ds.open();
    QVERIFY(ds.isEmpty());
    ds.append();
    ds.fieldByName(QStringLiteral("Code")).setAsString(QStringLiteral("00010001"));
    ds.fieldByName(QStringLiteral("UserName")).setAsString(QStringLiteral("欧'阳"));
    ds.fieldByName(QStringLiteral("MaxLimit")).setAsFloat(1234567.89);
    ds.post();
    QVERIFY(ds.fieldByName(QStringLiteral("ID")).asInteger() > 0);
    QCOMPARE(ds.fieldByName(QStringLiteral("ZZStu")).asInteger(), 1); // the table's default
    QCOMPARE(ds.recordCount(), 1);

    DataSet check(m_connection.get());
    check.setCommandText(QStringLiteral("Select UserName, MaxLimit from TEmployee where ID=%1")
                             .arg(ds.fieldByName(QStringLiteral("ID")).asInteger()));
    check.open();
    QCOMPARE(check.field(0).asString(), QStringLiteral("欧'阳"));
    QCOMPARE(check.field(1).asFloat(), 1234567.89);
}

void TestDataSet::editPostsOnlyByKey()
{
    m_connection->execute(QStringLiteral("Insert into TFunc (FuncCode,FuncName) Values('01','经理')"));
    m_connection->execute(QStringLiteral("Insert into TFunc (FuncCode,FuncName) Values('02','经理')"));
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select * from TFunc order by FuncCode"));
    ds.open();
    ds.next();
    ds.edit();
    ds.fieldByName(QStringLiteral("FuncName")).setAsString(QStringLiteral("会计"));
    ds.post();
    ds.close();
    ds.setCommandText(QStringLiteral("Select FuncName from TFunc order by FuncCode"));
    ds.open();
    QCOMPARE(ds.field(0).asString(), QStringLiteral("经理")); // the twin with the same name is untouched
    ds.next();
    QCOMPARE(ds.field(0).asString(), QStringLiteral("会计"));
}

void TestDataSet::deleteRemovesByKeyAndKeepsCursorInRange()
{
    for (const char *code : {"01", "02", "03"})
        m_connection->execute(QStringLiteral("Insert into TFunc (FuncCode,FuncName) Values('%1','x')").arg(QLatin1String(code)));
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select * from TFunc order by FuncCode"));
    ds.open();
    ds.last();
    ds.deleteRecord();
    QCOMPARE(ds.recordCount(), 2);
    QCOMPARE(ds.recNo(), 1);
    QCOMPARE(ds.fieldByName(QStringLiteral("FuncCode")).asString(), QStringLiteral("02"));
    ds.first();
    ds.deleteRecord();
    QCOMPARE(ds.fieldByName(QStringLiteral("FuncCode")).asString(), QStringLiteral("02"));
    DataSet left(m_connection.get());
    left.setCommandText(QStringLiteral("Select FuncCode from TFunc"));
    left.open();
    QCOMPARE(left.recordCount(), 1);
    QCOMPARE(left.field(0).asString(), QStringLiteral("02"));
}

void TestDataSet::nullsReadAsEmptyZeroAndNoDate()
{
    m_connection->execute(QStringLiteral("Insert into TBillDetail (OcrDate,DepartCode,Total,Desp) Values(NULL,'0001',NULL,NULL)"));
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select OcrDate, Total, Desp, Sum(Total) as S, Max(CustCode) as M from TBillDetail"));
    ds.open();
    QVERIFY(ds.fieldByName(QStringLiteral("Desp")).isNull());
    QCOMPARE(ds.fieldByName(QStringLiteral("Desp")).asString(), QString());
    QCOMPARE(ds.fieldByName(QStringLiteral("Total")).asFloat(), 0.0);
    QCOMPARE(ds.fieldByName(QStringLiteral("Total")).asInteger(), 0);
    QVERIFY(!ds.fieldByName(QStringLiteral("OcrDate")).asDateTime().isValid());
    QCOMPARE(ds.fieldByName(QStringLiteral("S")).asString(), QString());
    QCOMPARE(ds.fieldByName(QStringLiteral("M")).asString(), QString());
}

void TestDataSet::datesAreStoredAsTextAndSelectableByDayBounds()
{
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select * from TBillDetail"));
    ds.open();
    const QList<QDateTime> moments = {QDateTime(QDate(2026, 10, 31), QTime(23, 59, 59)),
                                      QDateTime(QDate(2026, 11, 1), QTime(0, 0, 0)),
                                      QDateTime(QDate(2026, 11, 30), QTime(18, 30, 5)),
                                      QDateTime(QDate(2026, 12, 1), QTime(0, 0, 0))};
    for (const QDateTime &m : moments) {
        ds.append();
        ds.fieldByName(QStringLiteral("OcrDate")).setAsDateTime(m);
        ds.fieldByName(QStringLiteral("Total")).setAsFloat(1);
        ds.post();
    }
    DataSet stored(m_connection.get());
    stored.setCommandText(QStringLiteral("Select OcrDate from TBillDetail order by ID"));
    stored.open();
    QCOMPARE(stored.field(0).value().toString(), QStringLiteral("2026-10-31 23:59:59"));
    QCOMPARE(stored.field(0).asDateTime(), moments.first());

    DataSet period(m_connection.get());
    period.setCommandText(QStringLiteral("Select Count(*) from TBillDetail where OcrDate>=#2026-11-01# and OcrDate<#2026-12-01#"));
    period.open();
    QCOMPARE(period.field(0).asInteger(), 2);
}

void TestDataSet::errorsAreRaised_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("syntax error") << "Selec * form TFunc";
    QTest::newRow("missing table") << "Select * from TNoSuchTable";
    QTest::newRow("missing column") << "Select NoSuchColumn from TFunc";
}

void TestDataSet::errorsAreRaised()
{
    QFETCH(QString, sql);
    DataSet ds(m_connection.get());
    ds.setCommandText(sql);
    try {
        ds.open();
        QFAIL("open should have raised");
    } catch (const DbError &e) {
        QCOMPARE(e.sql(), sql);
        QVERIFY(!e.message().isEmpty());
    }
    QVERIFY(!ds.active());
    Command cmd(m_connection.get());
    cmd.setCommandText(sql);
    QVERIFY_THROWS_EXCEPTION(DbError, cmd.execute());
}

void TestDataSet::refusedPostKeepsTheEditPending()
{
    m_connection->execute(QStringLiteral("Insert into TFunc (FuncCode,FuncName) Values('01','经理')"));
    m_connection->execute(QStringLiteral("Insert into TEmployee (Code,UserName,FuncCode) Values('00010001','张三','01')"));
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select * from TFunc"));
    ds.open();
    // A field write outside edit mode is refused.
    QVERIFY_THROWS_EXCEPTION(DbError, ds.fieldByName(QStringLiteral("FuncName")).setAsString(QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(DbError, ds.fieldByName(QStringLiteral("NoSuchField")));
    // A duplicate code is refused by the database.
    ds.append();
    ds.fieldByName(QStringLiteral("FuncCode")).setAsString(QStringLiteral("01"));
    QVERIFY_THROWS_EXCEPTION(DbError, ds.post());
    QCOMPARE(ds.state(), DataSet::State::Insert);
    ds.cancel();
    QCOMPARE(ds.recordCount(), 1);
    // A position that an employee names cannot be deleted.
    ds.first();
    QVERIFY_THROWS_EXCEPTION(DbError, ds.deleteRecord());
    QCOMPARE(ds.recordCount(), 1);
    // Changing a text while open is refused.
    QVERIFY_THROWS_EXCEPTION(DbError, ds.setCommandText(QStringLiteral("Select 1")));
}

void TestDataSet::walkingAndClientSideSort()
{
    const QList<QPair<QString, double>> rows = {{"张三", 30.5}, {"阿明", 100}, {"李四", 2.25}, {"Bob", 7}};
    for (const auto &r : rows)
        m_connection->execute(QStringLiteral("Insert into TBillDetail (EmpName,Total) Values('%1',%2)").arg(r.first).arg(r.second));
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select EmpName, Total from TBillDetail order by ID"));
    ds.open();
    QStringList walked;
    for (ds.first(); !ds.eof(); ds.next())
        walked << ds.field(0).asString();
    QCOMPARE(walked, QStringList({"张三", "阿明", "李四", "Bob"}));

    ds.first();
    ds.next(); // current row: 阿明
    ds.sort(QStringLiteral("Total"), Qt::DescendingOrder);
    QCOMPARE(ds.value(0, 1).toDouble(), 100.0);
    QCOMPARE(ds.value(3, 1).toDouble(), 2.25);
    QCOMPARE(ds.fieldByName(QStringLiteral("EmpName")).asString(), QStringLiteral("阿明")); // the cursor follows its record

    ds.sort(QStringLiteral("EmpName"), Qt::AscendingOrder);
    QStringList byName;
    for (int i = 0; i < ds.recordCount(); ++i)
        byName << ds.value(i, 0).toString();
    QCOMPARE(byName, QStringList({"Bob", "阿明", "李四", "张三"})); // pinyin order, not code points
}

void TestDataSet::joinedQueryEditsTheFirstTableOnly()
{
    m_connection->execute(QStringLiteral("Insert into TFunc (FuncCode,FuncName) Values('01','经理')"));
    m_connection->execute(QStringLiteral("Insert into TEmployee (Code,UserName,FuncCode,TypeCode) Values('00010001','张三','01','0001')"));
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select TEmployee.*,TFunc.FuncName from TEmployee left join TFunc on  TEmployee.FuncCode=TFunc.FuncCode where   TEmployee.TypeCode='0001'"));
    ds.open();
    QCOMPARE(ds.fieldByName(QStringLiteral("FuncName")).asString(), QStringLiteral("经理"));
    ds.edit();
    ds.fieldByName(QStringLiteral("UserName")).setAsString(QStringLiteral("张三丰"));
    ds.fieldByName(QStringLiteral("FuncName")).setAsString(QStringLiteral("not a column of TEmployee"));
    ds.post();
    QSqlQuery q(m_connection->database());
    QVERIFY(q.exec(QStringLiteral("Select UserName from TEmployee")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("张三丰"));
    QVERIFY(q.exec(QStringLiteral("Select FuncName from TFunc")) && q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("经理"));
}

void TestDataSet::quotedTextWithHashAndBracketsSurvivesRoundTrip()
{
    const QString desp = QStringLiteral("合同#2026-01-05# [附件] O'Neil");
    m_connection->execute(QStringLiteral("Insert into TBillDetail (Desp) Values(%1)").arg(QuotedStr(desp)));
    DataSet ds(m_connection.get());
    ds.setCommandText(QStringLiteral("Select Desp from TBillDetail where Desp=%1").arg(QuotedStr(desp)));
    ds.open();
    QCOMPARE(ds.recordCount(), 1);
    QCOMPARE(ds.field(0).asString(), desp);
}

QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
