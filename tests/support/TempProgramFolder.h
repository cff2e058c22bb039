#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away program folder: DB/Data.MDB made from the project's schema (with the
// demonstration data on request), and the empty Bak, help and NetUpdate folders.
class TempProgramFolder {
public:
    enum Content { SchemaOnly, WithDemoData };
    explicit TempProgramFolder(Content content = SchemaOnly);

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }
    QString path() const; // with a trailing "/"
    QString databasePath() const { return path() + QStringLiteral("DB/Data.MDB"); }
    QString filePath(const QString &relative) const { return path() + relative; }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_error;
};
