#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/external_command.h"

namespace {

bool isPlain(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) != 0 || (c != '\0' && std::strchr("_-.,:/@+=%*?", c) != nullptr);
}

// Inside double quotes the shell still reads "$", "`", "\"" and a "\" before one of them.
bool fitsDoubleQuotes(const std::string& value) {
    for (size_t i = 0; i < value.size(); ++i) {
        if (std::strchr("$`\"", value[i]) != nullptr) return false;
        if (value[i] == '\\' && (i + 1 == value.size() || value[i + 1] == '\\')) return false;
    }
    return true;
}

std::string singleQuoted(const std::string& value) {
    std::string quoted = "'";
    for (char c : value) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string CommandArgument(const std::string& value, bool doubleQuoted) {
    if (doubleQuoted && fitsDoubleQuotes(value)) return "\"" + value + "\"";
    if (!doubleQuoted && !value.empty() && std::all_of(value.begin(), value.end(), isPlain)) {
        return value;
    }
    return singleQuoted(value);
}

int RunExternalCommand(const std::string& command, std::string& output, bool expandPatterns) {
    // The Windows command processor does not expand "*"; switch expansion off to match.
    const std::string line = expandPatterns ? command : "set -f; " + command;
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
