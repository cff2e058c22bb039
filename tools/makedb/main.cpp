// makedb <path> [--demo] [--keep-existing]: writes a new database file from the schema (and
// the demonstration data). With --keep-existing a database already at <path> is left alone:
// once made, the program folder's database belongs to the user.
#include "shell/schema/DatabaseScript.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: makedb <database file> [--demo] [--keep-existing]\n");
        return 2;
    }
    const QString path = args.at(1);
    if (args.contains(QStringLiteral("--keep-existing")) && QFileInfo(path).size() > 0)
        return 0;
    const QString error = CreateDatabase(path, args.contains(QStringLiteral("--demo")));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "makedb: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("makedb: created %s\n", qPrintable(path));
    return 0;
}
