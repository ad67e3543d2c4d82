// What the playlist and scenario readers report themselves: a number they cannot read.
#pragma once

#include <cstddef>
#include <string>

// A number a reader could not read: the text it found, under which key, on which line.
struct InvalidNumber {
    std::string value;
    std::string key;
    size_t line = 0;  // counted from 1
};

// Enough of a value from a file to recognise it: a megabyte of garbage stays out of the log.
std::string ShownValue(const std::string& value);

// Logs "Invalid number '<value>' for key '<key>' in <path>, line <n>.", n counted from 1.
void logInvalidNumber(const std::string& value, const std::string& key, const std::string& path,
                      size_t lineNumber);
