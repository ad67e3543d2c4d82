// The content loader: loads the video frames and receives every message of an upload.
#pragma once

#include <string>

#include "scenario/findings.h"

struct ScenarioSettings;
struct ContentPlan;

class DataLoaderBase {
  public:
    virtual ~DataLoaderBase() = default;
    virtual bool LoadVideo(ScenarioSettings& settings) = 0;
    virtual void ReportInfo(std::string text) = 0;
    virtual void ReportError(std::string text) = 0;
    virtual void ReportSuccess(std::string text) = 0;

    // The plan the upload carries out: LoadVideo sends its frames. Null outside an upload.
    void UsePlan(const ContentPlan* plan) { plan_ = plan; }
    const ContentPlan* plan() const { return plan_; }

    // The line that says why the upload failed: the first one given.
    void SetFailure(const std::string& line) {
        if (failure_.empty()) failure_ = line;
    }
    const std::string& failure() const { return failure_; }

  private:
    const ContentPlan* plan_ = nullptr;
    std::string failure_;
};

// Reports `message` as an error and returns false, so that a step ends with `return Fail(...)`.
inline bool Fail(DataLoaderBase& loader, const char* message) {
    loader.SetFailure(message);
    loader.ReportError(message);
    return false;
}

// Reports the findings at `point` as the upload logs them: refusals as errors (the missing
// files as information), the others as information. The first refusal's first line is the
// upload's failure. False when a refusal stands there.
bool ReportFindings(DataLoaderBase& loader, const Findings& findings, FindingPoint point);

// Loads raw binary frame files; its reports are log lines, written as they stand. Its first
// error is the upload's failure.
class BinaryDataLoader : public DataLoaderBase {
  public:
    bool LoadVideo(ScenarioSettings& settings) override;
    void ReportInfo(std::string text) override;
    void ReportError(std::string text) override;
    void ReportSuccess(std::string text) override;
};
