#include <unistd.h>

#include "upload/progress.h"

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}
