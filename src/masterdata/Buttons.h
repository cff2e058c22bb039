#pragma once

#include <QString>

class QPushButton;
class QToolButton;
class QWidget;

// The small text buttons under the category trees ("添加根", "修改"...): framed so they read
// as buttons and sized to their Chinese captions.
QToolButton *MakeSpeedButton(QWidget *parent, const char *name, const QString &caption, const QString &hint);

// A dialog button that is never the default one: Enter in a tree, grid or box of the master
// data windows moves on or chooses, it does not press a button.
QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption);
