// Whether the sink can take what a scenario sends: the clock, deep colour, colour format,
// scrambling, HDR and Dolby packets and the audio, against its EDID's capabilities.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "edid/sink_capabilities.h"
#include "format/color_format.h"

// Without the sink's EDID, the check says once that it could not judge the sink.
inline constexpr const char* kSinkNotChecked =
    "Sink: not checked; give --sink with the EDID that --edid saves.";

struct SinkHdrPacket {
    std::string file;
    uint8_t eotf = 0;
};

enum class SinkAudio { kNone, kPcm, kCompressed };

// What a scenario sends, as far as a sink's EDID can tell whether it takes it.
struct ScenarioSignal {
    bool hdmi = true;
    uint64_t tmdsClock = 0;  // Hz, as HdmiTmdsClock gives it
    ColorFormat format;
    bool scrambler = false;
    std::vector<SinkHdrPacket> hdrPackets;  // Dynamic Range and Mastering InfoFrames
    std::vector<std::string> dolbyPackets;  // Dolby Vendor-Specific InfoFrames
    SinkAudio audio = SinkAudio::kNone;
    uint32_t audioChannels = 0;  // PCM
    uint32_t audioRate = 0;      // PCM, Hz
};

// Files the packet file to `hdrPackets` or `dolbyPackets` when it is such an InfoFrame
// (read as `signal.hdmi` says); any other packet is left out.
void AddSignalPacket(ScenarioSignal& signal, const std::string& file, const uint8_t* data,
                     size_t size);

// The note for an HDMI sink without a CTA-861 extension; empty otherwise.
std::string SinkNote(const ScenarioSignal& signal, const SinkCapabilities& sink);

// The "Sink: ..." warnings, in this order: TMDS clock, deep colour, colour format,
// scrambling, HDR packets, Dolby packets, audio. DisplayPort gets only the last three;
// HDMI without a CTA-861 extension only the first and the colour format.
std::vector<std::string> SinkFindings(const ScenarioSignal& signal, const SinkCapabilities& sink);
