#pragma once

class QPrinter;

// The printer chosen in the printer setup; the print preview prints to it.
QPrinter &ProgramPrinter();
