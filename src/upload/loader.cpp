#include "upload/loader.h"

#include "log/logger.h"
#include "upload/content_plan.h"
#include "upload/video.h"

bool BinaryDataLoader::LoadVideo(ScenarioSettings& settings) {
    static const ContentPlan kNone;
    return LoadVideoFrames(*this, settings, plan() ? *plan() : kNone);
}

bool ReportFindings(DataLoaderBase& loader, const Findings& findings, FindingPoint point) {
    bool refused = false;
    for (const Finding* finding : findings.at(point)) {
        const bool refusal = finding->kind == FindingKind::kRefusal;
        if (refusal) loader.SetFailure(FirstLine(finding->text));
        refused = refused || refusal;
        for (std::string& line : finding->runLines()) {
            if (refusal && point != FindingPoint::kFiles) {
                loader.ReportError(std::move(line));
            } else {
                loader.ReportInfo(std::move(line));
            }
        }
    }
    return !refused;
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
