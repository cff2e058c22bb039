// makedb <path> [--demo]: writes a new database file from the schema (and demonstration data).
#include "shell/schema/DatabaseScript.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: makedb <database file> [--demo]\n");
        return 2;
    }
    const QString error = CreateDatabase(args.at(1), args.contains(QStringLiteral("--demo")));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "makedb: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
