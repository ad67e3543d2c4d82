// Runs a command line the way a user would, for end-to-end tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct ProgramRun {
    int exitCode = -1;   // the child's exit code; -1 when it did not exit normally
    std::string output;  // everything it wrote to standard output
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// The text as one shell word.
std::string ShellQuote(const std::string& text);

// Runs `commandLine` through the shell in `folder` (empty: the current one) with the
// extra environment variables. Standard error goes to standard output when asked.
ProgramRun RunProgram(const std::string& commandLine, const std::string& folder,
                      const Environment& environment = {}, bool withErrors = false);

// Limits on a run: the child (and what it starts) is stopped after `seconds`, and its
// address space is capped at `memoryKiB` (0: no cap), where the system allows it.
struct RunLimits {
    int seconds = 60;
    uint64_t memoryKiB = 0;
};

// Exit code of a run that had to be stopped at its time limit.
inline constexpr int kTimedOut = 124;

// RunProgram with standard error folded in, under the limits.
ProgramRun RunBoundedProgram(const std::string& commandLine, const std::string& folder,
                             const Environment& environment, const RunLimits& limits);

// False where the command processor is not a POSIX shell (Windows): tests whose
// commands or stand-in programs are shell scripts skip there.
bool HasPosixShell();

// The output split into lines, without their line ends.
std::vector<std::string> OutputLines(const std::string& output);
