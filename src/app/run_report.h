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

    // Writes a report saying the run has not finished, so that a run killed outright
    // leaves no earlier result behind; false (and logged) when the file cannot be written.
    bool begin() const;
    // The scenarios the run goes through, in order; one never started is skipped.
    void plan(const Playlist& playlist);
    void plan(const std::string& scenarioPath);
    void startScenario(size_t index);
    // A failed scenario's message is `message`, or else the last line it logged.
    void endScenario(bool passed, const std::string& message = "");
    // A failure outside any scenario: the run's own case fails with the first such message.
    // A run that fails without one has the case too, with the last line logged outside.
    void failRun(const std::string& message);
    // The run was stopped by a signal: the scenario under way fails with `line`, or, outside
    // any, the run's own case does (beside the scenarios' verdicts).
    void stop(const std::string& line);
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
    bool runFailed_ = false;  // the run's own case is there whatever the scenarios say
};
