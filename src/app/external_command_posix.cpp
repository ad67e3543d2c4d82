#include <sys/wait.h>

#include <cstdio>

#include "app/external_command.h"

int RunExternalCommand(const std::string& command, std::string& output) {
    // The Windows command processor does not expand "*"; switch expansion off to match.
    const std::string line = "set -f; " + command;
    std::FILE* pipe = ::popen(line.c_str(), "r");
    if (pipe == nullptr) {
        output = kPipeFailedText;
        return 1;
    }
    output = ReadPipe(pipe);
    const int status = ::pclose(pipe);
    if (status == -1) return 1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
