#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/external_command.h"
#include "interrupt/interrupt.h"

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

// Read to the end so the child never blocks on a full pipe; keep only the start. A Ctrl+C
// reaches the child through the shared console, so the run waits for it to end.
std::string ReadPipe(std::FILE* pipe) {
    std::string collected;
    char piece[128];
    while (std::fgets(piece, sizeof piece, pipe) != nullptr) {
        if (collected.size() < kMaxCommandOutput) collected += piece;
    }
    return collected;
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
    const int status = ::_pclose(pipe);
    StopPoint();  // a stopped run says so, not that the command failed
    return status;
}
