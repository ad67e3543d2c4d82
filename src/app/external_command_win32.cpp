#include <cstdio>

#include "app/external_command.h"

int RunExternalCommand(const std::string& command, std::string& output) {
    std::FILE* pipe = ::_popen(command.c_str(), "rt");
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
    return ::_pclose(pipe);
}
