#pragma once

#include <QDate>
#include <QString>

// The size of a generated company. Expenses fall on the `months` whole months that end with
// the previous month, so the statistics window's default period has data.
struct CompanyShape {
    QString name;
    int departments = 0;
    int departmentLevels = 0;
    int employees = 0;
    int categories = 0;
    int categoryLevels = 0;
    int positions = 0;
    int expenses = 0;
    int months = 0;
};

CompanyShape SmallCompany(); // 30 departments, 300 employees, 60 categories, 50 000 expenses in a year
CompanyShape LargeCompany(); // 140 departments on four levels, 1 300 employees, 170 categories,
                             // 1 000 000 expenses over two years

struct GeneratedCompany {
    QString error; // empty on success
    QDate first;   // first day with expenses
    QDate last;    // last day with expenses
    int formulas = 0;
    double seconds = 0;
};

// Writes a new database at `path` (replacing any file there) with the schema and a company of
// the given shape. Deterministic for a given seed.
GeneratedCompany GenerateCompany(const QString &path, const CompanyShape &shape, unsigned seed = 20240101,
                                 const QDate &today = QDate::currentDate());
