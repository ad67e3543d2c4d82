#include <io.h>

#include <cstdio>

#include "upload/progress.h"

bool StandardErrorIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}
