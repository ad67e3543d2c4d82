#include <sys/wait.h>

#include <cstdio>

#include "run_program.h"

bool HasPosixShell() {
    return true;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

namespace {

std::string ShellLine(const std::string& commandLine, const std::string& folder,
                      const Environment& environment, bool withErrors) {
    std::string line;
    if (!folder.empty()) line += "cd " + ShellQuote(folder) + " && ";
    for (const auto& [name, value] : environment) {
        line += "export " + name + "=" + ShellQuote(value) + "; ";
    }
    // A sub-shell keeps the redirection on the whole command line.
    line += "( " + commandLine + " )";
    if (withErrors) line += " 2>&1";
    return line;
}

}  // namespace

ProgramRun RunProgram(const std::string& commandLine, const std::string& folder,
                      const Environment& environment, bool withErrors) {
    ProgramRun run;
    std::fflush(nullptr);
    FILE* pipe = popen(ShellLine(commandLine, folder, environment, withErrors).c_str(), "r");
    if (pipe == nullptr) return run;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), pipe)) > 0) run.output.append(chunk, got);
    const int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

ProgramRun RunBoundedProgram(const std::string& commandLine, const std::string& folder,
                             const Environment& environment, const RunLimits& limits) {
    std::string line;
    if (limits.memoryKiB > 0) line += "ulimit -v " + std::to_string(limits.memoryKiB) + "; ";
    // timeout's own exit code for a stopped program is kTimedOut.
    line += "timeout " + std::to_string(limits.seconds) + " " + commandLine;
    return RunProgram(line, folder, environment, true);
}
