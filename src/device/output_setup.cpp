#include "device/output_setup.h"

#include "device/bandwidth.h"
#include "device/config_items.h"
#include "device/items.h"
#include "device/upload_callback.h"
#include "device/wait.h"
#include "log/logger.h"

namespace {

constexpr const char* kHdcpRefused = "WARNING: the device refused the HDCP setting.";
constexpr const char* kScramblerRefused = "WARNING: the device refused the scrambler setting.";

// Selecting a pattern only takes effect once the settings are applied.
bool ShowPattern(uint32_t code) {
    return SelectPattern(code) && ApplySettings();
}

// An unknown colour space or depth still goes to the device, which takes its defaults.
bool ApplyColorFormat(const SetupPlan& plan) {
    LogFindingsAt(plan.findings, FindingPoint::kColourWrite);
    return SetColorFormat(plan.format);
}

// A scenario asking for scrambling or HDCP must not seem to get it when the device said no.
void ApplyLinkProtection(const ScenarioSettings& settings) {
    if (!SetScrambler(settings.scrambler) && settings.scrambler) logText(kScramblerRefused);
    if (!SetHdcp(settings.hdcp)) logText(kHdcpRefused);
}

uint32_t ContentMask(const ScenarioSettings& settings) {
    return (settings.video.empty() ? 0u : content::kVideo) |
           (settings.packets.empty() ? 0u : content::kPackets) |
           (settings.audio.empty() ? 0u : content::kAudio);
}

// Everything up to the upload: stop, loading colour, link check, timing, format, HDCP.
int32_t PrepareOutput(const std::string& deviceName, const SetupPlan& plan,
                      std::string& statusText) {
    const ScenarioSettings& settings = plan.settings;
    if (plan.findings.refusesAt(FindingPoint::kSetupStart)) return kSetupNoTimings;
    if (!SetPlaybackState(setting::kPlaybackStop) || !SetAudioControl(setting::kAudioOff))
        return kSetupPlaybackOffFailed;
    if (plan.showsLoadingColor) SetSolidColor(plan.loadingColor);
    LogFindingsAt(plan.findings, FindingPoint::kLoadingColour);
    // The colour is shown by two writes of the pattern, as the device expects.
    if (!ShowPattern(pattern::kSolidColor)) return kSetupApplyFailed;
    if (!ShowPattern(pattern::kSolidColor)) return kSetupApplyFailed;
    LogFindingsAt(plan.findings, FindingPoint::kLinkCheck);
    if (!CheckLinkBandwidth(deviceName, settings.timing, plan.format, statusText)) {
        return kSetupNotEnoughBandwidth;
    }
    if (!SetTimings(settings.timing)) return kSetupTimingsFailed;
    if (!ApplyColorFormat(plan)) return kSetupColorFormatFailed;
    if (!ShowPattern(pattern::kSolidColor)) return kSetupApplyFailed;
    ApplyLinkProtection(settings);
    return kSetupStarted;
}

int32_t StartPrepared(const std::string& deviceName, const SetupPlan& plan,
                      const ContentPlan& content, std::string& statusText,
                      std::string& uploadFailure) {
    const int32_t prepared = PrepareOutput(deviceName, plan, statusText);
    if (prepared != kSetupStarted) return prepared;
    UploadOutcome upload = UploadThroughCallback(plan.settings, content);
    if (!upload.uploaded) {
        uploadFailure = std::move(upload.failure);
        return kSetupUploadFailed;
    }
    const uint32_t mask = ContentMask(plan.settings);
    if (!ShowPattern(pattern::kPlayback)) return kSetupApplyFailed;
    if (!SetPlaybackContent(mask) || !SetPlaybackState(setting::kPlaybackRun))
        return kSetupPlaybackOnFailed;
    return kSetupStarted;
}

}  // namespace

int32_t startScenario(const std::string& deviceName, const SetupPlan& setup,
                      const ContentPlan& content, std::string& statusText, std::string* failure) {
    std::string uploadFailure;
    const int32_t code = StartPrepared(deviceName, setup, content, statusText, uploadFailure);
    if (code < 0 && failure != nullptr) {
        *failure =
            !uploadFailure.empty() ? uploadFailure : FirstLine(StatusMessage(code, statusText));
    }
    return code;
}

int32_t StartPlaylistScenario(Playlist& playlist, size_t index, const SetupPlan& setup,
                              const ContentPlan& content, std::string* failure) {
    if (index >= playlist.entries.size()) return kSetupIndexOutOfRange;
    return startScenario(playlist.deviceName, setup, content, playlist.setupMessage, failure);
}

void ResetOutput() {
    SetPlaybackState(setting::kPlaybackStop);
    SleepMilliseconds(100);
    SelectPattern(pattern::kSolidColor);
    SetColorFormat(kPlainRgb);
    SetSolidColor(0);
    SelectPattern(pattern::kSolidColor);
    ApplySettings();
}
