#include "upload/audio.h"

#include <string>

#include "device/config_items.h"
#include "device/items.h"
#include "files/paths.h"
#include "scenario/scenario.h"
#include "upload/loader.h"
#include "upload/memory_layout.h"

namespace {

constexpr const char* kReadFailed = "Fatal: failed to read audio file";
constexpr const char* kTransferFailed = "Fatal: failed to transfer audio";
constexpr const char* kSizeFailed = "Fatal: failed setting audio size!";
constexpr const char* kCompressedFailed = "Fatal: failed setting compressed parameter!";
constexpr const char* kStatusOk = "Set STS OK";
constexpr const char* kStatusFailed = "Fatal: failed to setting STS!";
constexpr const char* kPacketTypeFailed = "Failed to set packet type";
constexpr const char* kParametersFailed = "Failed to set audio parameters";
constexpr const char* kMuteFailed = "Fatal: failed enabling mute!";
constexpr const char* kEnableFailed = "Fatal: failed enabling audio!";

// Channel status: byte 0 bit 2 (no copyright asserted), bit 1 (not linear PCM).
constexpr uint8_t kStatusBase = 4;
constexpr uint8_t kStatusCompressed = 2;
constexpr uint8_t kHighBitRateFlags = 0x30;
constexpr size_t kStatusBlockBytes = kChannelStatusBytes / 2;

bool IsHighBitRate(const AudioFormat& format, bool compressed) {
    return compressed && format.channels > 2;
}

void SendChannelStatus(DataLoaderBase& loader, const AudioFormat& format, bool compressed) {
    const ChannelStatus status = BuildChannelStatus(format, compressed);
    const bool ok = SetAudioChannelStatus(status.data(), static_cast<uint32_t>(status.size()));
    loader.ReportInfo(ok ? kStatusOk : kStatusFailed);
}

void SendPacketType(DataLoaderBase& loader, const AudioFormat& format, bool compressed) {
    const uint32_t type = AudioPacketType(format, compressed);
    if (SetAudioPacketType(type)) {
        loader.ReportInfo("Set packet type " + std::to_string(type) + " OK");
    } else {
        loader.ReportInfo(kPacketTypeFailed);
    }
}

// The line before the fatal one: which file, and why it was refused.
std::string RefusalLine(const ScenarioSettings& settings, const std::string& why) {
    return fileName(settings.audio) + ": " + why;
}

std::string ParametersText(const AudioFormat& format) {
    return "Set audio parameters [" + std::to_string(format.channels) + ", " +
           std::to_string(format.sampleRate) + ", " + std::to_string(format.bitsPerSample) + "] OK";
}

}  // namespace

uint64_t LinkAudioRate(const AudioFormat& format, bool compressed) {
    const uint64_t rate = format.sampleRate;
    return IsHighBitRate(format, compressed) ? rate * 4 : rate;
}

uint8_t SamplingFrequencyCode(uint64_t rate) {
    switch (rate) {
        case 22050:
            return 4;
        case 24000:
            return 6;
        case 32000:
            return 3;
        case 44100:
            return 0;
        case 48000:
            return 2;
        case 88200:
            return 8;
        case 96000:
            return 10;
        case 176400:
            return 12;
        case 192000:
            return 14;
        case 768000:
            return 9;
        default:
            return 1;  // not indicated
    }
}

uint8_t WordLengthCode(uint32_t bitsPerSample) {
    switch (bitsPerSample) {
        case 16:
            return 2;
        case 20:
            return 10;
        case 24:
            return 11;
        default:
            return 0;
    }
}

ChannelStatus BuildChannelStatus(const AudioFormat& format, bool compressed) {
    ChannelStatus status{};
    status[0] = kStatusBase + (compressed ? kStatusCompressed : 0);
    status[3] = SamplingFrequencyCode(LinkAudioRate(format, compressed));
    if (IsHighBitRate(format, compressed)) status[3] += kHighBitRateFlags;
    status[4] = WordLengthCode(format.bitsPerSample);
    for (size_t i = 0; i < kStatusBlockBytes; ++i) status[kStatusBlockBytes + i] = status[i];
    return status;
}

uint32_t AudioPacketType(const AudioFormat& format, bool compressed) {
    return format.channels == 8 && LinkAudioRate(format, compressed) >= 64000 ? 3 : 0;
}

std::string AudioRefusal(const ScenarioSettings& settings, const AudioPlan& plan) {
    if (plan.why.empty()) return {};
    return RefusalLine(settings, plan.why) + "\n" + kReadFailed;
}

bool UploadAudio(DataLoaderBase& loader, const ScenarioSettings& settings, const AudioPlan& plan,
                 const MemoryLayout& layout) {
    PageBuffer data;
    AudioFormat format;
    std::string why = plan.why;
    if (!why.empty() || !ReadAudioFile(settings, data, format, &why)) {
        loader.ReportError(RefusalLine(settings, why));
        return Fail(loader, kReadFailed);
    }
    // The buffer is at most 32 bits long: ReadAudioFile refuses anything larger.
    const uint32_t length = static_cast<uint32_t>(data.size());
    const bool written = WriteMemoryBlock(layout.AudioBlock(), data.data(), length);
    data.clear();  // the device has the bytes: no need to hold them through the settings
    if (!written) return Fail(loader, kTransferFailed);
    if (!SetAudioSize(length)) return Fail(loader, kSizeFailed);
    const bool compressed = settings.audiocompressed;
    if (!SetAudioCompressed(compressed)) return Fail(loader, kCompressedFailed);
    SendChannelStatus(loader, format, compressed);
    if (settings.hdmi) SendPacketType(loader, format, compressed);
    if (!SetAudioParameters(format.channels, format.sampleRate, format.bitsPerSample)) {
        return Fail(loader, kParametersFailed);
    }
    loader.ReportInfo(ParametersText(format));
    if (!SetAudioMute(setting::kAudioMuted)) return Fail(loader, kMuteFailed);
    if (!SetAudioControl(settings.audiosync ? setting::kAudioOnSynced : setting::kAudioOn)) {
        return Fail(loader, kEnableFailed);
    }
    return true;
}
