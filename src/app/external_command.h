// Runs a command line through the system's command processor.
#pragma once

#include <cstdio>
#include <string>

// Returns the child's exit status (0 = success); a child that did not exit
// normally counts as failed. `output` receives the start of what the child
// wrote to its standard output; the rest is read and dropped.
int RunExternalCommand(const std::string& command, std::string& output);

inline constexpr size_t kMaxCommandOutput = 1 << 20;

// Reads a child's output to its end; returns at most about kMaxCommandOutput bytes of it.
std::string ReadPipe(std::FILE* pipe);
inline constexpr const char* kPipeFailedText = "Creating pipe stream failed!";
