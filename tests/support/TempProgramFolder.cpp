#include "TempProgramFolder.h"

#include "shell/schema/DatabaseScript.h"

#include <QDir>

TempProgramFolder::TempProgramFolder(Content content)
{
    if (!m_dir.isValid()) {
        m_error = m_dir.errorString();
        return;
    }
    QDir root(m_dir.path());
    for (const char *sub : {"DB", "Bak", "help", "NetUpdate"})
        root.mkpath(QString::fromLatin1(sub));
    m_error = CreateDatabase(databasePath(), content == WithDemoData);
    m_valid = m_error.isEmpty();
}

QString TempProgramFolder::path() const
{
    return m_dir.path() + u'/';
}
