// Builds a benchmark database: bench_makecompany small|large <path>
#include "CompanyGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() != 3 || (args[1] != QLatin1String("small") && args[1] != QLatin1String("large"))) {
        QTextStream(stderr) << "usage: bench_makecompany small|large <database path>\n";
        return 2;
    }
    const CompanyShape shape = args[1] == QLatin1String("small") ? SmallCompany() : LargeCompany();
    QDir().mkpath(QFileInfo(args[2]).absolutePath());
    const GeneratedCompany made = GenerateCompany(args[2], shape);
    if (!made.error.isEmpty()) {
        QTextStream(stderr) << "failed: " << made.error << "\n";
        return 1;
    }
    out << shape.name << " company in " << args[2] << ": " << shape.departments << " departments, "
        << shape.employees << " employees, " << shape.categories << " categories, " << made.formulas
        << " formulas, " << shape.expenses << " expenses from " << made.first.toString(Qt::ISODate) << " to "
        << made.last.toString(Qt::ISODate) << " in " << QString::number(made.seconds, 'f', 2) << " s\n";
    return 0;
}
