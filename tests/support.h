// Shared test helpers: log capture, temporary folders, small files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "log/logger.h"

// Collects every log line while alive, instead of printing it.
class LogCapture {
  public:
    LogCapture() {
        Logger::instance().setSink([this](const std::string& line) { lines.push_back(line); });
    }
    ~LogCapture() { Logger::instance().reset(); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    std::vector<std::string> lines;
};

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // Writes a file below the folder (creating sub-folders) and returns its full path.
    std::string write(const std::string& name, const std::string& content) const;
    std::string write(const std::string& name, const std::vector<uint8_t>& content) const;

  private:
    std::string path_;
};

std::string ReadFileText(const std::string& path);
// The file read in text mode: on Windows its CR LF line ends arrive as LF, as the
// program's own text files (the log) are written there.
std::string ReadTextFile(const std::string& path);
