#include <unistd.h>

#include <cstring>

#include "report/report_context.h"

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return std::string(name, strnlen(name, sizeof name));
}
