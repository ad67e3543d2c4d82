#include <io.h>

#include <cstdio>

#include "upload/progress.h"

bool ConsoleIsTerminal() {
    return ::_isatty(::_fileno(stdout)) != 0 && ::_isatty(::_fileno(stderr)) != 0;
}
