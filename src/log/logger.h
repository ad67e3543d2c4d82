// The process-wide logger: every line goes to standard output and to the log file.
#pragma once

#include <cstdio>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct LogSettings {
    bool timeStamp = false;  // prefix each line with the local time
    std::string folder;
    std::string fileName;
};

class Logger {
  public:
    static Logger& instance();

    // Opens the log file (appending). Prints a console line when it cannot.
    void configure(LogSettings settings);
    // printf-style; one call makes one line, never cut. Returns 0.
    int log(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // Tests: receive every line instead of the console and the file.
    using Sink = std::function<void(const std::string& line)>;
    void setSink(Sink sink);
    // Also receives every line, wherever it goes (the run's report), until removed. Sinks
    // and observers are called after the line is written and the lock is released, so
    // one may log in turn.
    using ObserverId = unsigned;
    ObserverId addObserver(Sink observer);
    void removeObserver(ObserverId id);
    // Tests: closes the file and forgets the settings, the sink and every observer.
    void reset();

    ~Logger();
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

  private:
    Logger() = default;
    // Writes the line to the console and the file; false when a sink takes it instead.
    bool write(const std::string& line);
    std::string stamped(const std::string& text) const;

    std::mutex lock_;
    std::FILE* file_ = nullptr;
    LogSettings settings_;
    Sink sink_;
    std::vector<std::pair<ObserverId, Sink>> observers_;
    ObserverId nextObserver_ = 1;
};

// Logs text exactly as it stands (never as a format).
void logText(const std::string& text);

// "2021-02-10T12-16-55" for the local time now.
std::string LogFileTimeStamp();
// The local time now with `timeSeparator` between hours, minutes and seconds.
std::string LocalTimeText(char timeSeparator);

// Platform layer of the logger.
bool LocalTimeNow(std::tm& local);
std::FILE* OpenLogFile(const std::string& path);
// A closed console must not end the run: writes to it fail instead of killing the process.
void KeepRunningWithoutConsole();
