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
    std::string collected;
    char piece[128];
    while (std::fgets(piece, sizeof piece, pipe) != nullptr) {
        if (collected.size() < kMaxCommandOutput) collected += piece;
    }
    output = collected;
    const int status = ::pclose(pipe);
    if (status == -1) return 1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
