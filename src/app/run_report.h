// The run's JUnit report: what the run logs, gathered scenario by scenario through the
// logger's tap, written when the run ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "report/junit_report.h"
#include "scenario/playlist.h"

class RunReport {
  public:
    // With an empty path nothing is gathered or written.
    RunReport(std::string path, std::string suiteName);
    ~RunReport();
    RunReport(const RunReport&) = delete;
    RunReport& operator=(const RunReport&) = delete;

    // True when the report file can be written; logs why not.
    bool checkWritable() const;
    // The scenarios the run goes through, in order; one never started is skipped.
    void plan(const Playlist& playlist);
    void plan(const std::string& scenarioPath);
    void startScenario(size_t index);
    // A failed scenario's message is `message`, or else the last line it logged.
    void endScenario(bool passed, const std::string& message = "");
    // A failure outside any scenario; without one, the last line logged outside is used.
    void failRun(const std::string& message);
    // Writes the report of a run that ended with `passed`; logs a file that cannot be
    // written and returns false.
    bool write(bool passed);

  private:
    using Clock = std::chrono::steady_clock;
    void add(const std::string& scenarioPath);
    void take(const std::string& line);
    ReportCase runFailure() const;
    void logUnwritable() const;

    std::string path_;
    std::string suiteName_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point scenarioStart_;
    std::vector<ReportCase> cases_;
    size_t current_ = SIZE_MAX;  // the scenario being run; SIZE_MAX outside one
    std::string outside_;        // lines logged outside any scenario
    std::string lastOutside_;
    std::string lastInScenario_;
    std::string runMessage_;
};
