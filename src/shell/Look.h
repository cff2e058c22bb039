#pragma once

#include <QIcon>

class QApplication;

// One look for both programs: Fusion style, our palette, a CJK font.
void ApplyLook(QApplication &app);

// Icons drawn by the program itself, so no image files need shipping.
enum class LookIcon { Product, Entry, Query, Statistics, Exit, TreeTop, TreeSub, TreeEmployee };
QIcon MakeIcon(LookIcon kind);
