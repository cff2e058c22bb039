#pragma once

#include "allocation/CalcProgram.h"

#include <QStringList>
#include <QStringView>

namespace calc {

// Parses a lower-cased formula in one left-to-right pass; false, with an empty program, on any
// syntax error. An identifier that names no function must be one of `variables` (compared
// without regard to case).
bool Parse(QStringView formula, const QStringList &variables, Program &program);

} // namespace calc
