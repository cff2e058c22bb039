#pragma once

#include "allocation/CalcProgram.h"

#include <vector>

namespace calc {

// Runs a parsed program (which must hold a tree) in extended precision; a variable takes
// values[its position]. A floating-point fault throws EvalError with its reason text.
long double Evaluate(const Program &program, const std::vector<long double> &values);

} // namespace calc
