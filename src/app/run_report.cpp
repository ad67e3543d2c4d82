#include "app/run_report.h"

#include <algorithm>

#include "app/source_device.h"
#include "files/paths.h"
#include "log/logger.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

RunReport::RunReport(std::string path, std::string suiteName)
    : path_(std::move(path)), suiteName_(std::move(suiteName)) {
    if (path_.empty()) return;
    Logger::instance().setTap([this](const std::string& line) { take(line); });
}

RunReport::~RunReport() {
    if (!path_.empty()) Logger::instance().setTap(nullptr);
}

void RunReport::logUnwritable() const {
    Logger::instance().log("Cannot write the report file %s.", path_.c_str());
    logText("");
}

bool RunReport::begin() const {
    if (path_.empty()) return true;
    ReportCase unfinished{suiteName_, 0, CaseOutcome::kFailed, "The run did not finish.", ""};
    if (writeFileAtomically(path_, JunitXml(ReportSuite{suiteName_, 0, {unfinished}}))) {
        return true;
    }
    logUnwritable();
    return false;
}

void RunReport::add(const std::string& scenarioPath) {
    ReportCase c;
    c.name = "Scenario #" + std::to_string(cases_.size() + 1) + " " + scenarioPath;
    c.outcome = CaseOutcome::kSkipped;
    c.message = "The run ended before this scenario.";
    cases_.push_back(c);
}

void RunReport::plan(const Playlist& playlist) {
    for (const PlaylistEntry& entry : playlist.entries) add(entry.settings.path);
}

void RunReport::plan(const std::string& scenarioPath) {
    add(scenarioPath);
}

void RunReport::startScenario(size_t index) {
    if (index >= cases_.size()) return;
    current_ = index;
    scenarioStart_ = Clock::now();
    cases_[index].message.clear();
    lastInScenario_.clear();
}

void RunReport::endScenario(bool passed, const std::string& message) {
    if (current_ >= cases_.size()) return;
    ReportCase& c = cases_[current_];
    c.seconds = SecondsSince(scenarioStart_);
    c.outcome = passed ? CaseOutcome::kPassed : CaseOutcome::kFailed;
    if (!passed) c.message = message.empty() ? lastInScenario_ : message;
    current_ = SIZE_MAX;
}

void RunReport::failRun(const std::string& message) {
    if (runMessage_.empty()) runMessage_ = message;
    runFailed_ = true;
}

void RunReport::stop(const std::string& line) {
    if (current_ < cases_.size()) {
        endScenario(false, line);
        return;
    }
    runMessage_ = line;
    runFailed_ = true;
}

void RunReport::take(const std::string& line) {
    if (current_ < cases_.size()) {
        cases_[current_].output += line + "\n";
        if (!line.empty()) lastInScenario_ = line;
        return;
    }
    outside_ += line + "\n";
    // The hint after a failed opening is advice; the failure is the line before it.
    if (!line.empty() && line != kListDevicesHint) lastOutside_ = line;
}

ReportCase RunReport::runFailure() const {
    ReportCase c;
    c.name = suiteName_;
    c.outcome = CaseOutcome::kFailed;
    c.message = runMessage_.empty() ? lastOutside_ : runMessage_;
    c.output = outside_;
    return c;
}

bool RunReport::write(bool passed) {
    if (path_.empty()) return true;
    endScenario(passed);  // a scenario cut short by an exception
    ReportSuite suite{suiteName_, SecondsSince(start_), cases_};
    const bool anyFailed = std::any_of(cases_.begin(), cases_.end(), [](const ReportCase& c) {
        return c.outcome == CaseOutcome::kFailed;
    });
    // CI must never read a failed run as green, even when no scenario failed.
    if ((!passed && !anyFailed) || runFailed_)
        suite.cases.insert(suite.cases.begin(), runFailure());
    if (writeFileAtomically(path_, JunitXml(suite))) return true;
    logUnwritable();
    return false;
}
