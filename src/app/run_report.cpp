#include "app/run_report.h"

#include <algorithm>

#include "files/paths.h"
#include "report/report_context.h"

namespace {

constexpr const char* kNotReached = "The run ended before this scenario.";
// Only a run that fails without saying why: every failure the program knows names itself.
constexpr const char* kUnnamedFailure = "The run failed.";

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// "ci" for "../ci.ini": Jenkins splits a class name at its dots into packages.
std::string ClassName(const std::string& namedFile) {
    std::string name = fileName(namedFile);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0) name.erase(dot);
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

}  // namespace

RunReport::RunReport(std::string path, std::string namedFile)
    : path_(std::move(path)),
      suiteName_(std::move(namedFile)),
      className_(ClassName(suiteName_)),
      timestamp_(ReportTimeStamp()) {
    if (path_.empty()) return;
    observer_ = Logger::instance().addObserver([this](const std::string& line) { take(line); });
}

RunReport::~RunReport() {
    if (!path_.empty()) Logger::instance().removeObserver(observer_);
}

void RunReport::logUnwritable() const {
    Logger::instance().log("Cannot write the report file %s.", path_.c_str());
    logText("");
}

ReportSuite RunReport::suite(std::vector<ReportCase> cases) const {
    return ReportSuite{suiteName_, className_,           timestamp_,
                       HostName(), SecondsSince(start_), std::move(cases)};
}

bool RunReport::begin() const {
    if (path_.empty()) return true;
    const ReportCase unfinished{suiteName_, 0, CaseOutcome::kFailed, "The run did not finish.", ""};
    if (writeFileAtomically(path_, JunitXml(suite({unfinished})))) return true;
    logUnwritable();
    return false;
}

void RunReport::add(const std::string& scenarioPath, const std::string& caption) {
    ReportCase c;
    c.name = "Scenario #" + std::to_string(cases_.size() + 1) + " " + scenarioPath;
    if (!caption.empty()) c.name += " (" + caption + ")";
    c.outcome = CaseOutcome::kSkipped;
    c.message = kNotReached;
    cases_.push_back(c);
}

void RunReport::plan(const Playlist& playlist) {
    for (const PlaylistEntry& entry : playlist.entries) add(entry.settings.path, entry.caption);
}

void RunReport::plan(const std::string& scenarioPath) {
    add(scenarioPath, "");
}

void RunReport::startScenario(size_t index) {
    if (index >= cases_.size()) return;
    current_ = index;
    scenarioStart_ = Clock::now();
    cases_[index].message.clear();
}

void RunReport::endScenario(bool passed, const std::string& failure) {
    if (current_ >= cases_.size()) return;
    ReportCase& c = cases_[current_];
    c.seconds = SecondsSince(scenarioStart_);
    c.outcome = passed ? CaseOutcome::kPassed : CaseOutcome::kFailed;
    if (!passed) c.message = failure.empty() ? kUnnamedFailure : failure;
    current_ = SIZE_MAX;
}

void RunReport::failRun(const std::string& line) {
    if (runMessage_.empty()) runMessage_ = line;
    runFailed_ = true;
}

void RunReport::failCurrent(const std::string& line) {
    if (current_ < cases_.size()) {
        endScenario(false, line);
        return;
    }
    runMessage_ = line;
    runFailed_ = true;
}

void RunReport::take(const std::string& line) {
    std::string& body = current_ < cases_.size() ? cases_[current_].output : outside_;
    body += line + "\n";
}

ReportCase RunReport::runFailure() const {
    ReportCase c;
    c.name = suiteName_;
    c.outcome = CaseOutcome::kFailed;
    c.message = runMessage_.empty() ? kUnnamedFailure : runMessage_;
    c.output = outside_;
    return c;
}

bool RunReport::write(bool passed) {
    if (path_.empty()) return true;
    endScenario(passed);  // a scenario the run left without a verdict
    std::vector<ReportCase> cases = cases_;
    const bool anyFailed = std::any_of(cases.begin(), cases.end(), [](const ReportCase& c) {
        return c.outcome == CaseOutcome::kFailed;
    });
    // CI must never read a failed run as green, even when no scenario failed.
    if ((!passed && !anyFailed) || runFailed_) cases.insert(cases.begin(), runFailure());
    if (writeFileAtomically(path_, JunitXml(suite(std::move(cases))))) return true;
    logUnwritable();
    return false;
}
