// What the playlist and scenario readers report themselves: a number they cannot read.
#pragma once

#include <cstddef>
#include <string>

// Logs "Invalid number '<value>' for key '<key>' in <path>, line <n>.", n counted from 1.
void logInvalidNumber(const std::string& value, const std::string& key, const std::string& path,
                      size_t lineNumber);
