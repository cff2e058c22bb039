#pragma once

#include <QString>

// The program folder with a trailing "/"; every file of the program is AppPath + a relative
// path. Set by the main window when it is created.
extern QString AppPath;

// The folder of the running executable, with a trailing "/".
QString ExecutableFolder();
