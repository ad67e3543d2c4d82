// What the playlist and scenario readers report themselves: a number they cannot read.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// The lines of one file that a reader passes over because it does not know their key or
// section. The first few are named; the rest are counted in one closing text, so that a
// file of garbage does not flood the log.
class IgnoredLines {
  public:
    // "unknown key 'perod' in <path>, line <n>: it is ignored." Each returns the text it
    // names for the line, or nothing when the line is only counted.
    std::string unknownKey(const std::string& key, const std::string& path, size_t line);
    // "unknown section '[Scenarios]' in <path>, line <n>: its keys are ignored."
    std::string unknownSection(const std::string& header, const std::string& path, size_t line);
    // The count of the lines not named; empty when every line is named.
    std::string moreText() const;
    // The texts, without "WARNING: ", in file order, then the count.
    std::vector<std::string> texts() const;

  private:
    std::string add(std::string text, const std::string& path);

    std::vector<std::string> named_;
    size_t more_ = 0;
    std::string path_;
};

// Logs each text of `texts` as a "WARNING: " line.
void logIgnoredLines(const std::vector<std::string>& texts);
