#include "device/output_setup.h"

#include "device/bandwidth.h"
#include "device/color_value.h"
#include "device/config_items.h"
#include "device/items.h"
#include "device/setting_warnings.h"
#include "device/upload_callback.h"
#include "device/wait.h"
#include "format/color_format.h"
#include "log/logger.h"

namespace {

constexpr const char* kHdcpRefused = "WARNING: the device refused the HDCP setting.";
constexpr const char* kScramblerRefused = "WARNING: the device refused the scrambler setting.";

// Selecting a pattern only takes effect once the settings are applied.
bool ShowPattern(uint32_t code) {
    return SelectPattern(code) && ApplySettings();
}

// The one colour format the link check, the colour write and the check mode decide from.
ColorFormat OutputColorFormat(const ScenarioSettings& settings) {
    return ColorFormatOf(settings.colorspace, settings.bitspercolor);
}

void LogIfAny(const std::string& warning) {
    if (!warning.empty()) logText(warning);
}

void ShowLoadingColor(const ScenarioSettings& settings) {
    uint64_t color = 0;
    if (ParseColorValue(settings.loadingRGB, settings.colorspace, color)) {
        SetSolidColor(color);
    } else {
        logText(LoadingColorWarning(settings));
    }
}

// An unknown colour space or depth still goes to the device, which takes its defaults.
bool ApplyColorFormat(const ScenarioSettings& settings, const ColorFormat& format) {
    LogIfAny(ColorSpaceWarning(settings));
    LogIfAny(DepthWarning(settings));
    return SetColorFormat(format);
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
int32_t PrepareOutput(const std::string& deviceName, const ScenarioSettings& settings,
                      std::string& statusText) {
    if (settings.timing.isZero()) return kSetupNoTimings;
    if (!SetPlaybackState(setting::kPlaybackStop) || !SetAudioControl(setting::kAudioOff))
        return kSetupPlaybackOffFailed;
    ShowLoadingColor(settings);
    // The colour is shown by two writes of the pattern, as the device expects.
    if (!ShowPattern(pattern::kSolidColor)) return kSetupApplyFailed;
    if (!ShowPattern(pattern::kSolidColor)) return kSetupApplyFailed;
    const ColorFormat format = OutputColorFormat(settings);
    if (!CheckLinkBandwidth(deviceName, settings.timing, format, statusText)) {
        return kSetupNotEnoughBandwidth;
    }
    if (!SetTimings(settings.timing)) return kSetupTimingsFailed;
    if (!ApplyColorFormat(settings, format)) return kSetupColorFormatFailed;
    if (!ShowPattern(pattern::kSolidColor)) return kSetupApplyFailed;
    ApplyLinkProtection(settings);
    return kSetupStarted;
}

// HDMI only classifies the rate, which needs nothing from the device; DisplayPort compares
// with the lanes and their rate, which do, unless no generator could carry the request.
void LinkNotes(const ScenarioSettings& settings, bool hdmi, SetupNotes& result) {
    const ColorFormat format = OutputColorFormat(settings);
    std::string beyond = LinkBeyondEveryGenerator(settings.timing, format, hdmi);
    if (!beyond.empty()) {
        result.problems.push_back(std::move(beyond));
    } else if (hdmi) {
        result.notes.push_back("Link: " + HdmiLinkRateText(settings.timing, format));
    } else {
        result.notes.push_back("Link: requested " +
                               std::to_string(DisplayPortRequestedRate(settings.timing, format)) +
                               " Mbps; the check against the link needs the device.");
    }
}

}  // namespace

namespace {

int32_t StartPrepared(const std::string& deviceName, const ScenarioSettings& settings,
                      std::string& statusText, std::string& uploadFailure) {
    const int32_t prepared = PrepareOutput(deviceName, settings, statusText);
    if (prepared != kSetupStarted) return prepared;
    UploadOutcome upload = UploadThroughCallback(settings);
    if (!upload.uploaded) {
        uploadFailure = std::move(upload.failure);
        return kSetupUploadFailed;
    }
    const uint32_t mask = ContentMask(settings);
    if (!ShowPattern(pattern::kPlayback)) return kSetupApplyFailed;
    if (!SetPlaybackContent(mask) || !SetPlaybackState(setting::kPlaybackRun))
        return kSetupPlaybackOnFailed;
    return kSetupStarted;
}

}  // namespace

int32_t startScenario(const std::string& deviceName, const ScenarioSettings& settings,
                      std::string& statusText, std::string* failure) {
    std::string uploadFailure;
    const int32_t code = StartPrepared(deviceName, settings, statusText, uploadFailure);
    if (code < 0 && failure != nullptr) {
        const std::string status = StatusMessage(code, statusText);
        *failure = !uploadFailure.empty() ? uploadFailure : status.substr(0, status.find('\n'));
    }
    return code;
}

SetupNotes OutputSetupNotes(const ScenarioSettings& settings, bool hdmi) {
    SetupNotes result;
    if (settings.timing.isZero()) {
        result.problems.push_back(StatusMessage(kSetupNoTimings, ""));
    } else {
        LinkNotes(settings, hdmi, result);
    }
    for (std::string& warning : UnusableSettingWarnings(settings)) {
        result.problems.push_back(std::move(warning));
    }
    return result;
}

int32_t StartPlaylistScenario(Playlist& playlist, size_t index, std::string* failure) {
    if (index >= playlist.entries.size()) return kSetupIndexOutOfRange;
    return startScenario(playlist.deviceName, EntrySettings(playlist, index), playlist.setupMessage,
                         failure);
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
