// The whole program between the command line and the exit code.
#pragma once

#include <functional>
#include <string>

// Runs the request the arguments make; returns the process exit code. An exception that
// gets this far is logged as "Fatal: ..." and ends the run with 1.
int RunTavrelCmd(int argc, const char* const* argv);
// Runs a mode on the started device library and releases the library afterwards, also
// when the mode throws (the line logged for it goes to `error`, when given). Returns the
// exit code.
int RunWithLibrary(const std::function<bool()>& mode, std::string* error = nullptr);
