#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/external_command.h"

namespace {

bool isPlain(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) != 0 || (c != '\0' && std::strchr("_-.,:/\\@+=*?~", c) != nullptr);
}

// The runtime's argument rules: backslashes count only before a double quote, so those
// and the ones before the closing quote are doubled, and an inner double quote is escaped.
std::string doubleQuoted(const std::string& value) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : value) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"') quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    return quoted.append(backslashes, '\\') + "\"";
}

}  // namespace

std::string CommandArgument(const std::string& value, bool quoted) {
    if (!quoted && !value.empty() && std::all_of(value.begin(), value.end(), isPlain)) {
        return value;
    }
    return doubleQuoted(value);
}

// The command processor never expands patterns: nothing to switch off.
int RunExternalCommand(const std::string& command, std::string& output, bool) {
    std::FILE* pipe = ::_popen(command.c_str(), "rt");
    if (pipe == nullptr) {
        output = kPipeFailedText;
        return 1;
    }
    output = ReadPipe(pipe);
    return ::_pclose(pipe);
}
