#include <cstdio>

#include "app/external_command.h"

int RunExternalCommand(const std::string& command, std::string& output) {
    std::FILE* pipe = ::_popen(command.c_str(), "rt");
    if (pipe == nullptr) {
        output = kPipeFailedText;
        return 1;
    }
    output = ReadPipe(pipe);
    return ::_pclose(pipe);
}
