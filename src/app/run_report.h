// The run's JUnit report. The run modes and the check hand it each scenario's outcome and
// failure line; the lines a scenario logs are collected from the logger as its body.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "log/logger.h"
#include "report/junit_report.h"
#include "scenario/playlist.h"

class RunReport {
  public:
    // With an empty path nothing is gathered or written. `namedFile` is the playlist's or
    // the scenario's path, as given.
    RunReport(std::string path, std::string namedFile);
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
    // A failed scenario's message is `failure`: its first refusal or problem, or the line
    // of the failure that stopped it.
    void endScenario(bool passed, const std::string& failure = "");
    // A failure outside any scenario: the run's own case fails with the first such line.
    void failRun(const std::string& line);
    // The run ends with `line` (a signal, an error): the scenario under way fails with it,
    // or, outside any, the run's own case does, beside the scenarios' verdicts.
    void failCurrent(const std::string& line);
    // Writes the report of a run that ended with `passed`; logs a file that cannot be
    // written and returns false.
    bool write(bool passed);

  private:
    using Clock = std::chrono::steady_clock;
    void add(const std::string& scenarioPath, const std::string& caption);
    void take(const std::string& line);
    ReportSuite suite(std::vector<ReportCase> cases) const;
    ReportCase runFailure() const;
    void logUnwritable() const;

    std::string path_;
    std::string suiteName_;
    std::string className_;
    std::string timestamp_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point scenarioStart_;
    std::vector<ReportCase> cases_;
    size_t current_ = SIZE_MAX;  // the scenario being run; SIZE_MAX outside one
    std::string outside_;        // lines logged outside any scenario
    std::string runMessage_;
    bool runFailed_ = false;  // the run's own case is there whatever the scenarios say
    Logger::ObserverId observer_ = 0;
};
