// The content loader: loads the video frames and receives every message of an upload.
#pragma once

#include <string>

struct ScenarioSettings;
struct ScenarioFiles;

class DataLoaderBase {
  public:
    virtual ~DataLoaderBase() = default;
    virtual bool LoadVideo(ScenarioSettings& settings) = 0;
    virtual void ReportInfo(std::string text) = 0;
    virtual void ReportError(std::string text) = 0;
    virtual void ReportSuccess(std::string text) = 0;

    // The video items and their frame files as the upload found them: what LoadVideo
    // sends. Null outside an upload.
    void UseFrames(const ScenarioFiles* files) { files_ = files; }
    const ScenarioFiles* frames() const { return files_; }

    // The line that says why the upload failed: the first one given.
    void SetFailure(const std::string& line) {
        if (failure_.empty()) failure_ = line;
    }
    const std::string& failure() const { return failure_; }

  private:
    const ScenarioFiles* files_ = nullptr;
    std::string failure_;
};

// Reports `message` as an error and returns false, so that a step ends with `return Fail(...)`.
inline bool Fail(DataLoaderBase& loader, const char* message) {
    loader.SetFailure(message);
    loader.ReportError(message);
    return false;
}

// Loads raw binary frame files; its reports are log lines, written as they stand. Its first
// error is the upload's failure.
class BinaryDataLoader : public DataLoaderBase {
  public:
    bool LoadVideo(ScenarioSettings& settings) override;
    void ReportInfo(std::string text) override;
    void ReportError(std::string text) override;
    void ReportSuccess(std::string text) override;
};
