// Runs a command line the way a user would, for end-to-end tests.
#pragma once

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

// False where the command processor is not a POSIX shell (Windows): tests whose
// commands or stand-in programs are shell scripts skip there.
bool HasPosixShell();

// The output split into lines, without their line ends.
std::vector<std::string> OutputLines(const std::string& output);
