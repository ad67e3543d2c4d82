#include "device/output_setup.h"

#include <algorithm>
#include <cmath>

#include "device/bandwidth.h"
#include "device/config_items.h"
#include "device/discovery.h"
#include "device/items.h"
#include "device/upload_callback.h"
#include "device/wait.h"
#include "format/color_format.h"
#include "log/logger.h"
#include "scenario/numbers.h"

namespace {

constexpr const char* kHdcpRefused = "WARNING: the device refused the HDCP setting.";
constexpr const char* kScramblerRefused = "WARNING: the device refused the scrambler setting.";

// Selecting a pattern only takes effect once the settings are applied.
bool ShowPattern(uint32_t code) {
    return SelectPattern(code) && ApplySettings();
}

std::string ColorFormatText(const ScenarioSettings& settings) {
    return settings.colorspace + "@" + std::to_string(settings.bitspercolor) + "bit";
}

void ShowLoadingColor(const ScenarioSettings& settings) {
    uint64_t color = 0;
    if (ParseColorValue(settings.loadingRGB, settings.colorspace, color)) {
        SetSolidColor(color);
    }
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
    if (!ShowPattern(pattern::kSolidColor) || !ShowPattern(pattern::kSolidColor)) {
        return kSetupApplyFailed;
    }
    if (!CheckLinkBandwidth(deviceName, settings.timing, ColorFormatText(settings), statusText)) {
        return kSetupNotEnoughBandwidth;
    }
    if (!SetTimings(settings.timing)) return kSetupTimingsFailed;
    if (!SetColorFormat(settings.colorspace, settings.bitspercolor)) {
        return kSetupColorFormatFailed;
    }
    if (!ShowPattern(pattern::kSolidColor)) return kSetupApplyFailed;
    ApplyLinkProtection(settings);
    return kSetupStarted;
}

bool UploadContent(const ScenarioSettings& settings) {
    // Without an installed callback nothing can be uploaded: a failed upload, not a crash.
    const UploadCallbackFunction& upload = UploadCallback();
    return upload && upload(settings);
}

uint32_t Clamp8(double value) {
    const double truncated = std::trunc(value);
    return static_cast<uint32_t>(std::clamp(truncated, 0.0, 255.0));
}

}  // namespace

int32_t startScenario(const std::string& deviceName, ScenarioSettings settings,
                      std::string& statusText) {
    const int32_t prepared = PrepareOutput(deviceName, settings, statusText);
    if (prepared != kSetupStarted) return prepared;
    if (!UploadContent(settings)) return kSetupUploadFailed;
    const uint32_t mask = ContentMask(settings);
    if (!ShowPattern(pattern::kPlayback)) return kSetupApplyFailed;
    if (!SetPlaybackContent(mask) || !SetPlaybackState(setting::kPlaybackRun))
        return kSetupPlaybackOnFailed;
    return kSetupStarted;
}

int32_t StartPlaylistScenario(Playlist& playlist, size_t index) {
    if (index >= playlist.entries.size()) return kSetupIndexOutOfRange;
    ScenarioSettings settings = playlist.entries[index].settings;
    settings.strict = playlist.strict;
    return startScenario(playlist.deviceName, settings, playlist.setupMessage);
}

bool ParseColorValue(const std::string& text, const std::string& colorSpace, uint64_t& value) {
    const std::vector<std::string> parts = SplitText(text.empty() ? "0,0,0" : text, ",");
    if (parts.size() != 3) return false;
    uint16_t c[3];
    for (size_t i = 0; i < 3; ++i) c[i] = static_cast<uint16_t>(parseLenientInteger(parts[i]));

    uint32_t word0 = 0;
    uint32_t word1 = 0;
    if (MentionsYuv(colorSpace)) {
        const double r = c[0], g = c[1], b = c[2];
        const uint32_t y = Clamp8(0.257 * r + 0.504 * g + 0.098 * b + 16);
        const uint32_t cr = Clamp8(0.439 * r - 0.368 * g - 0.071 * b + 128);
        const uint32_t cb = Clamp8(0.439 * b - (0.148 * r + 0.291 * g) + 128);
        word0 = (cr << 24) | (y << 8);
        word1 = cb << 8;
    } else {
        word0 = static_cast<uint32_t>(((static_cast<uint64_t>(c[0]) << 16) | c[1]) << 8);
        word1 = static_cast<uint32_t>(c[2]) << 8;
    }
    value = (static_cast<uint64_t>(word1) << 32) | word0;
    return true;
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    // An empty separator would never advance: the text is one piece.
    const size_t step = std::max<size_t>(separator.size(), 1);
    size_t position = 0;
    while (position < text.size()) {
        const size_t next = separator.empty() ? std::string::npos : text.find(separator, position);
        std::string piece =
            text.substr(position, next == std::string::npos ? std::string::npos : next - position);
        if (!piece.empty()) {
            if (piece.back() == ';') piece.pop_back();
            pieces.push_back(piece);
        }
        if (next == std::string::npos) break;
        position = next + step;
    }
    return pieces;
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

bool ReopenDevice(const Playlist& playlist) {
    if (!ResetDevice()) return false;
    const std::string lookupName =
        playlist.interface.empty() ? playlist.connectortype : playlist.interface + " TX";
    const int32_t index = FindDevice(playlist.serialnumber, lookupName);
    if (DeselectDevice(index) < 0) return false;
    return OpenDevice(index, playlist.connectortype) >= 0;
}
