// The content loader: loads the video frames and receives every message of an upload.
#pragma once

#include <string>

struct ScenarioSettings;

class DataLoaderBase {
  public:
    virtual ~DataLoaderBase() = default;
    virtual bool LoadVideo(ScenarioSettings& settings) = 0;
    virtual void ReportInfo(std::string text) = 0;
    virtual void ReportError(std::string text) = 0;
    virtual void ReportSuccess(std::string text) = 0;
};

// Loads raw binary frame files; its reports are log lines, written as they stand.
class BinaryDataLoader : public DataLoaderBase {
  public:
    bool LoadVideo(ScenarioSettings& settings) override;
    void ReportInfo(std::string text) override;
    void ReportError(std::string text) override;
    void ReportSuccess(std::string text) override;
};
