// Runs a command line through the system's command processor.
#pragma once

#include <cstdio>
#include <string>

// Returns the child's exit status (0 = success); a child that did not exit
// normally counts as failed. `output` receives the start of what the child
// wrote to its standard output; the rest is read and dropped.
// With `expandPatterns` false, "*", "?" and "[" in the command's words stay as they are
// written, as the Windows command processor leaves them; a user's own command keeps the
// shell's usual meaning.
int RunExternalCommand(const std::string& command, std::string& output, bool expandPatterns = true);

// `value` as one word of a command for the system's command processor: a plain value as
// it stands (in double quotes when `doubleQuoted`), any other value quoted by the
// platform's rules so that it arrives whole.
std::string CommandArgument(const std::string& value, bool doubleQuoted);

// How much of a child's output is kept; the rest is read and dropped.
inline constexpr size_t kMaxCommandOutput = 1 << 20;
inline constexpr const char* kPipeFailedText = "Creating pipe stream failed!";
