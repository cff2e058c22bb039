#include "mainwindow/uMain.h"
#include "platform/QtPrompts.h"
#include "shell/AppPath.h"
#include "shell/Look.h"
#include "shell/uDM.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quoravel"));
    ApplyLook(app);
    QtPrompts prompts;
    Prompts::install(&prompts);

    TDM dm;
    std::unique_ptr<TfrmMain> window = StartMainWindow(ExecutableFolder());
    if (!window)
        return 1;
    window->showMaximized();
    return app.exec();
}
