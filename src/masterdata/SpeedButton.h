#pragma once

#include <QString>

class QToolButton;
class QWidget;

// The small text buttons under the category trees ("添加根", "修改"...): framed so they read
// as buttons and sized to their Chinese captions.
QToolButton *MakeSpeedButton(QWidget *parent, const char *name, const QString &caption, const QString &hint);
