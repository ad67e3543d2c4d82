// The commands of tavrel-content; each takes the words after its name and returns the
// exit code (0 on success, 1 otherwise), having printed what went wrong.
#pragma once

#include <string>
#include <vector>

int RunFramesCommand(const std::vector<std::string>& words);
int RunInfoFrameCommand(const std::vector<std::string>& words);
int RunDemoCommand(const std::vector<std::string>& words);

// Prints the problem of a command line and where the usage is; returns 1.
int UsageProblem(const std::string& problem);
