// Shared pieces of the upload orchestration tests: content files in a temp folder,
// a loader that records its messages, and the expected trace lines of the orchestration.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "audio_files.h"
#include "device/items.h"
#include "scenario/scenario.h"
#include "sim_control.h"
#include "sim_device.h"
#include "support.h"
#include "trace_lines.h"
#include "upload/loader.h"
#include "upload/recording_loader.h"

namespace orchestration {

using Lines = std::vector<std::string>;

// Frames of 16x4 pixels keep the uploads tiny; each reserves 2 x 1 KiB per line.
inline constexpr uint32_t kWidth = 16;
inline constexpr uint32_t kHeight = 4;
inline constexpr uint64_t kFrameReservation = 2048 * kHeight;
inline constexpr size_t kFrameBytes = kWidth * kHeight * 4;
inline constexpr uint64_t kDefaultMemory = 4294967296;

inline std::string Profile(uint64_t memory) {
    return "[device]\nname = KVX-4 [SIM0001] / HDMI TX\nflags = 16\noutputs = HDMI TX\n"
           "[generator]\nmemory = " +
           std::to_string(memory) + "\n";
}

inline std::vector<uint8_t> LayoutBytes(const std::vector<uint64_t>& layout) {
    std::vector<uint8_t> bytes;
    for (const uint64_t size : layout) PutNumber(bytes, size, 8, false);
    return bytes;
}

inline std::string LayoutLine(const std::vector<uint64_t>& layout, int status = 0) {
    return trace::SetBytes(item::kMemoryLayout, layout.size(), trace::Shown(LayoutBytes(layout)),
                           status);
}

inline std::string PlayingOrderLine(const std::string& porder, int status = 0) {
    const std::vector<uint8_t> bytes(porder.begin(), porder.end());
    return trace::SetBytes(item::kPlaybackScenario, bytes.size(), trace::Shown(bytes), status);
}

// From the memory reads to the last engine block, with no playback running.
inline Lines OrchestrationLines(const std::vector<uint64_t>& layout,
                                uint64_t memory = kDefaultMemory) {
    const uint32_t n = static_cast<uint32_t>(layout.size());
    return trace::Join(
        {{trace::Get(item::kMemorySize, memory, 8), trace::Get(item::kMemorySize, memory, 8),
          trace::Get(item::kPlaybackState, 0)},
         trace::WriteRegister(reg::kAudioControl, 0),
         {LayoutLine(layout), trace::Set(item::kPatternMemoryBlock, 0),
          trace::Set(item::kPlaybackMemoryBlock, n - 2)},
         trace::WriteRegister(reg::kAudioMemoryBlock, n - 1)});
}

inline bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The lines that put content into memory: block selections and data writes.
inline Lines ContentLines(const Lines& all) {
    Lines content;
    for (const std::string& line : all) {
        if (StartsWith(line, "HLX_TS_SetConfigItem(0x00000884,") ||
            StartsWith(line, "HLX_TS_SetConfigItem(0x00000885,") ||
            StartsWith(line, "HLX_TS_SetConfigItem(0x00000720,")) {
            content.push_back(line);
        }
    }
    return content;
}

inline std::string SelectLine(uint32_t block) {
    return trace::Set(item::kMemoryBlockSelect, block);
}

inline std::string DataLine(uint32_t item, const std::vector<uint8_t>& bytes) {
    return trace::SetBytes(item, bytes.size(), trace::Shown(bytes));
}

inline Lines ResetToPatternLines() {
    return {trace::Set(item::kMemoryLayoutReset, 0, 8), trace::Set(item::kColorFormat, 1),
            trace::Set(item::kPattern, 11), trace::Set(item::kApplySettings, 1)};
}

// A generator and a temp folder with helpers that write small content files.
class ScenarioBench {
  public:
    ScenarioBench() {
        device_ = std::make_unique<SimDevice>();
        device_->open();
        settings.hdmi = true;
        settings.colorspace = "RGB444";
        settings.bitspercolor = 8;
        settings.timing.hactive = kWidth;
        settings.timing.vactive = kHeight;
    }
    // A fresh generator with this much memory.
    void UseMemory(uint64_t memory) {
        device_.reset();
        device_ = std::make_unique<SimDevice>(Profile(memory));
        device_->open();
    }
    Lines Trace() { return device_->trace(); }

    // A 4-byte-per-pixel frame whose bytes count up from `seed`.
    std::vector<uint8_t> FrameBytes(uint8_t seed) const {
        std::vector<uint8_t> bytes(kFrameBytes);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(seed + i);
        return bytes;
    }
    std::string Frame(const std::string& name, uint8_t seed) const {
        return folder.write(name, FrameBytes(seed));
    }
    // An HDMI InfoFrame-sized packet file.
    std::string Packet(const std::string& name, uint8_t seed) const {
        std::vector<uint8_t> bytes(31);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(seed + i);
        return folder.write(name, bytes);
    }
    // Stereo 16-bit, 48 kHz.
    std::string Wav(const std::string& name, size_t frames) const {
        std::vector<uint8_t> samples(4 * frames);
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(3 * i);
        return folder.write(name, MakeWav({}, samples));
    }
    std::string Path(const std::string& name) const { return folder.path() + "/" + name; }

    TempFolder folder;
    ScenarioSettings settings;

  private:
    std::unique_ptr<SimDevice> device_;
};

}  // namespace orchestration
