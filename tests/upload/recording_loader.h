// The program's frame loader with every report recorded, prefixed by its kind, and its
// LoadVideo calls counted.
#pragma once

#include <string>
#include <vector>

#include "upload/loader.h"

class RecordingLoader : public BinaryDataLoader {
  public:
    bool LoadVideo(ScenarioSettings& settings) override {
        ++videoLoads;
        return BinaryDataLoader::LoadVideo(settings);
    }
    void ReportInfo(std::string text) override { lines.push_back("info: " + text); }
    void ReportError(std::string text) override { lines.push_back("error: " + text); }
    void ReportSuccess(std::string text) override { lines.push_back("success: " + text); }
    std::vector<std::string> lines;
    int videoLoads = 0;
};
