// Speed of the formula engine, as ratios measured in one run.
//
//   bench_formula                 evaluator, then the cell step on the small company
//   bench_formula --large         ... on the large company (generated on first use)
//   bench_formula --db <path>     ... on an existing database
//   bench_formula --no-db         evaluator only
//
// Generated databases go to bench/data/ (kept out of version control).
#include "CompanyGenerator.h"
#include "QuietPrompts.h"
#include "allocation/CalcExpress.h"
#include "allocation/FormulaExpander.h"
#include "allocation/FormulaSql.h"
#include "platform/Prompts.h"
#include "platform/db/Connection.h"
#include "platform/db/DataSet.h"
#include "platform/db/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

volatile long double g_sink = 0;

// Runs `batch` (which does `perBatch` operations) until `seconds` have passed; returns the
// operations per second.
double rate(double seconds, long perBatch, const std::function<void()> &batch)
{
    using Clock = std::chrono::steady_clock;
    batch(); // warm up
    const auto start = Clock::now();
    long operations = 0;
    double elapsed = 0;
    do {
        batch();
        operations += perBatch;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    return operations / elapsed;
}

QString grouped(double value)
{
    return QLocale(QLocale::English).toString(qint64(value));
}

void print(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

double benchEvaluator()
{
    const QString formula = QStringLiteral("(1234.50+20.00)/3.00*2.00-sqrt(4.00)");
    const std::string text = formula.toStdString();
    const std::vector<long double> zeros(101, 0.0L);
    TCalcExpress calc;
    const long batch = 20000;

    const double both = rate(1.5, batch, [&] {
        for (long i = 0; i < batch; ++i) {
            calc.setFormula(formula);
            g_sink = calc.Evaluate(zeros);
        }
    });
    const double parseOnly = rate(1.0, batch, [&] {
        for (long i = 0; i < batch; ++i)
            calc.setFormula(formula);
    });
    const double evaluateOnly = rate(1.0, batch, [&] {
        for (long i = 0; i < batch; ++i)
            g_sink = calc.Evaluate(zeros);
    });
    // The C library converting the same text's numbers, and nothing else.
    const double strtoldPasses = rate(1.0, batch, [&] {
        for (long i = 0; i < batch; ++i) {
            long double sum = 0;
            for (const char *p = text.c_str(); *p;) {
                if (*p >= '0' && *p <= '9') {
                    char *end = nullptr;
                    sum += std::strtold(p, &end);
                    p = end;
                } else {
                    ++p;
                }
            }
            g_sink = sum;
        }
    });

    print(QStringLiteral("formula: %1").arg(formula));
    print(QStringLiteral("  parse + evaluate     %1 per second  (bar: 1,000,000)  %2")
              .arg(grouped(both), 12)
              .arg(both >= 1e6 ? QStringLiteral("reached") : QStringLiteral("NOT reached")));
    print(QStringLiteral("  parse only           %1 per second").arg(grouped(parseOnly), 12));
    print(QStringLiteral("  evaluate only        %1 per second").arg(grouped(evaluateOnly), 12));
    print(QStringLiteral("  strtold of its 5 numbers %1 passes per second").arg(grouped(strtoldPasses), 8));
    print(QStringLiteral("  cost of parse + evaluate / cost of strtold over the same text = %1")
              .arg(strtoldPasses / both, 0, 'f', 2));
    return both;
}

struct Codes {
    QStringList employees;
    QStringList categories;
    QDate first;
    QDate last;
};

QStringList column(db::Connection &connection, const QString &sql)
{
    db::DataSet ds(&connection);
    ds.setCommandText(sql);
    ds.open();
    QStringList values;
    for (ds.first(); !ds.eof(); ds.next())
        values << ds.field(0).asString();
    return values;
}

void benchCells(const QString &path, double evaluatorRate)
{
    db::Connection connection;
    connection.setConnectionString(path);
    try {
        connection.open();
    } catch (const db::DbError &e) {
        print(QStringLiteral("cannot open %1: %2").arg(path, e.message()));
        return;
    }
    Codes codes;
    codes.employees = column(connection, QStringLiteral("Select Code from TEmployee Where ZZStu=1 Order By Code"));
    codes.categories = column(connection, QStringLiteral("Select TypeCode from TCustClass Order By TypeCode"));
    const int departments = column(connection, QStringLiteral("Select TypeCode from TEmpClass")).size();
    const QString lastDay = column(connection, QStringLiteral("Select Max(OcrDate) from TBillDetail")).value(0);
    codes.last = QDate::fromString(lastDay.left(10), Qt::ISODate);
    codes.first = QDate(codes.last.year(), codes.last.month(), 1);
    const int expenses = column(connection, QStringLiteral("Select Count(*) from TBillDetail")).value(0).toInt();
    if (codes.employees.isEmpty() || codes.categories.isEmpty() || !codes.last.isValid()) {
        print(QStringLiteral("%1 holds no company to measure").arg(path));
        return;
    }
    print(QStringLiteral("database: %1 (%2 departments, %3 active employees, %4 categories, %5 expenses), period %6 to %7")
              .arg(path)
              .arg(departments)
              .arg(codes.employees.size())
              .arg(codes.categories.size())
              .arg(expenses)
              .arg(codes.first.toString(Qt::ISODate), codes.last.toString(Qt::ISODate)));

    FormulaExpander expander(&connection);
    expander.setPeriod(codes.first, codes.last);

    // Walk the table column by column, as the statistics window does.
    long index = 0;
    long evaluated = 0;
    long cells = 0;
    const long pairs = long(codes.employees.size()) * codes.categories.size();
    const double cellRate = rate(3.0, 200, [&] {
        for (int i = 0; i < 200; ++i, ++index) {
            const long pair = index % pairs;
            const FormulaExpander::Cell cell =
                expander.CalcCell(codes.employees[int(pair / codes.categories.size())],
                                  codes.categories[int(pair % codes.categories.size())]);
            ++cells;
            if (cell.outcome == FormulaExpander::CellOutcome::Evaluated)
                ++evaluated;
        }
    });

    const QString token = QStringLiteral("{COUNT %1:x %2:y").arg(codes.employees[0].left(8), codes.categories.last());
    const double preparedRate = rate(1.0, 200, [&] {
        for (int i = 0; i < 200; ++i)
            g_sink = expander.GetValue0(token);
    });
    // The same query as a fresh statement text each time, through a dataset.
    db::DataSet ds(&connection);
    const QString sql = CountTokenSql(codes.employees[0].left(8), codes.categories.last(), codes.first, codes.last);
    const double textRate = rate(1.0, 200, [&] {
        for (int i = 0; i < 200; ++i) {
            ds.close();
            ds.setCommandText(sql);
            ds.open();
            g_sink = ds.field(0).asFloat();
        }
    });

    const long tableCells = long(codes.categories.size()) * (departments + codes.employees.size());
    print(QStringLiteral("  allocation cells     %1 per second  (%2% of them evaluated a formula)")
              .arg(grouped(cellRate), 12)
              .arg(cells ? 100.0 * evaluated / cells : 0.0, 0, 'f', 0));
    print(QStringLiteral("  money token query    %1 per second, prepared").arg(grouped(preparedRate), 12));
    print(QStringLiteral("  money token query    %1 per second, statement text through a dataset").arg(grouped(textRate), 12));
    print(QStringLiteral("  prepared / text = %1;  cell / (parse + evaluate) cost = %2")
              .arg(preparedRate / textRate, 0, 'f', 2)
              .arg(evaluatorRate / cellRate, 0, 'f', 1));
    print(QStringLiteral("  whole allocation table: %1 cells, about %2 s at this rate")
              .arg(tableCells)
              .arg(tableCells / cellRate, 0, 'f', 1));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QuietPrompts quiet; // should a generated formula not parse
    Prompts::install(&quiet);
    const QStringList args = app.arguments();

    const double evaluatorRate = benchEvaluator();
    if (args.contains(QLatin1String("--no-db")))
        return 0;

    QString path;
    const qsizetype dbArg = args.indexOf(QLatin1String("--db"));
    if (dbArg > 0 && dbArg + 1 < args.size()) {
        path = args[dbArg + 1];
    } else {
        const CompanyShape shape = args.contains(QLatin1String("--large")) ? LargeCompany() : SmallCompany();
        path = QStringLiteral(QUORAVEL_BENCH_DATA) + QLatin1Char('/') + shape.name + QStringLiteral(".db");
        if (!QFileInfo::exists(path)) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            const GeneratedCompany made = GenerateCompany(path, shape);
            if (!made.error.isEmpty()) {
                print(QStringLiteral("cannot generate %1: %2").arg(path, made.error));
                return 1;
            }
            print(QStringLiteral("generated the %1 company in %2 s").arg(shape.name).arg(made.seconds, 0, 'f', 2));
        }
    }
    benchCells(path, evaluatorRate);
    Prompts::install(nullptr);
    return 0;
}
