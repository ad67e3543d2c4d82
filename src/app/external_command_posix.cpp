#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/external_command.h"
#include "interrupt/interrupt.h"

extern char** environ;

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

namespace {

// `sh -c line` with its standard output into a pipe, as popen would start it.
pid_t StartShell(const std::string& line, int& readEnd) {
    int ends[2];
    if (::pipe(ends) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    posix_spawn_file_actions_addclose(&actions, ends[1]);
    const char* argv[] = {"sh", "-c", line.c_str(), nullptr};
    pid_t child = -1;
    if (posix_spawn(&child, "/bin/sh", &actions, nullptr, const_cast<char* const*>(argv),
                    environ) != 0) {
        child = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (child < 0) {
        ::close(ends[0]);
        return -1;
    }
    readEnd = ends[0];
    return child;
}

int ExitCode(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

// Waits for the child; with `block` false only looks. -1 while it runs.
int ChildExit(pid_t child, bool block) {
    int status = 0;
    pid_t got;
    while ((got = ::waitpid(child, &status, block ? 0 : WNOHANG)) < 0) {
        if (errno != EINTR) return 1;
    }
    return got == 0 ? -1 : ExitCode(status);
}

// Reads the child's output to its end and returns its exit code. A stop signal that comes
// meanwhile is handed on to the child once; the reading then ends when the child has gone,
// even if something it started still holds the pipe.
int ReadChild(pid_t child, int readEnd, std::string& collected) {
    char piece[4096];
    bool handedOn = false;
    for (;;) {
        if (!handedOn && PendingStop() != StopSignal::kNone) {
            ::kill(child, StopSignalNumber(PendingStop()));
            handedOn = true;
        }
        if (handedOn) {
            const int code = ChildExit(child, false);
            if (code >= 0) return code;
        }
        pollfd ready{readEnd, POLLIN, 0};
        // Woken now and then to look for a signal; a signal also ends the poll early.
        if (::poll(&ready, 1, 100) < 0 && errno != EINTR) break;
        if (ready.revents == 0) continue;
        const ssize_t got = ::read(readEnd, piece, sizeof piece);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        const size_t room = kMaxCommandOutput - std::min(collected.size(), kMaxCommandOutput);
        collected.append(piece, std::min(static_cast<size_t>(got), room));
    }
    return ChildExit(child, true);
}

}  // namespace

int RunExternalCommand(const std::string& command, std::string& output, bool expandPatterns) {
    // The Windows command processor does not expand "*"; switch expansion off to match.
    const std::string line = expandPatterns ? command : "set -f; " + command;
    int readEnd = -1;
    const pid_t child = StartShell(line, readEnd);
    if (child < 0) {
        output = kPipeFailedText;
        return 1;
    }
    output.clear();
    const int status = ReadChild(child, readEnd, output);
    ::close(readEnd);
    StopPoint();  // a stopped run says so, not that the command failed
    return status;
}
