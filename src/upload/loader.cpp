#include "upload/loader.h"

#include "log/logger.h"
#include "upload/checks.h"
#include "upload/video.h"

bool BinaryDataLoader::LoadVideo(ScenarioSettings& settings) {
    static const ScenarioFiles kNone;
    return LoadVideoFrames(*this, settings, frames() ? *frames() : kNone);
}

// All three reports are plain log lines; the text is data, never a format.
void BinaryDataLoader::ReportInfo(std::string text) {
    logText(text);
}

void BinaryDataLoader::ReportError(std::string text) {
    SetFailure(text);
    logText(text);
}

void BinaryDataLoader::ReportSuccess(std::string text) {
    logText(text);
}
