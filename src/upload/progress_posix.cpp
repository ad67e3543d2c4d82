#include <unistd.h>

#include "upload/progress.h"

bool ConsoleIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1 && ::isatty(STDERR_FILENO) == 1;
}
