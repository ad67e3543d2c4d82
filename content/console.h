// What tavrel-content prints: results on standard output, problems on standard error,
// always as text, never as a format.
#pragma once

#include <cstdio>
#include <string>

inline void PrintLine(const std::string& line) {
    std::fprintf(stdout, "%s\n", line.c_str());
}

inline void PrintProblem(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

inline std::string DoesNotExist(const std::string& path) {
    return path + ": the file does not exist";
}
