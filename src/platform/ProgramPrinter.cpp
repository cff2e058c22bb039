#include "platform/ProgramPrinter.h"

#include <QPrinter>

QPrinter &ProgramPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
