#include "shell/AppPath.h"

#include <QCoreApplication>
#include <QDir>

QString AppPath;

QString ExecutableFolder()
{
    QString folder = QDir::cleanPath(QCoreApplication::applicationDirPath());
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
