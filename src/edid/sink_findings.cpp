#include "edid/sink_findings.h"

#include "device/bandwidth.h"
#include "format/frequency.h"
#include "packets/infoframe.h"

namespace {

using Lines = std::vector<std::string>;

void TmdsFinding(const ScenarioSignal& signal, const SinkCapabilities& sink, Lines& lines) {
    const uint64_t limit = SinkTmdsLimit(sink);
    if (signal.tmdsClock <= limit) return;
    lines.push_back("Sink: the TMDS clock of " + MhzText(signal.tmdsClock) + " MHz is above the " +
                    MhzText(limit) + " MHz the sink declares.");
}

struct DeepColorNeed {
    ColorDepth depth;
    const char* flag;
    bool SinkCapabilities::*declared;
    const char* flag420;
    bool SinkScds::*declared420;
};

constexpr DeepColorNeed kDeepColorNeeds[] = {
    {ColorDepth::k10, "DC_30bit", &SinkCapabilities::dc30, "DC_420_30", &SinkScds::dc420_30},
    {ColorDepth::k12, "DC_36bit", &SinkCapabilities::dc36, "DC_420_36", &SinkScds::dc420_36},
    {ColorDepth::k16, "DC_48bit", &SinkCapabilities::dc48, "DC_420_48", &SinkScds::dc420_48},
};

void DeepColorFindings(const ScenarioSignal& signal, const SinkCapabilities& sink, Lines& lines) {
    const ColorSpace space = signal.format.space;
    if (space == ColorSpace::kYuv422 || space == ColorSpace::kOther) return;
    const std::string lead = "Sink: " + std::to_string(signal.format.BitsPerComponent()) + "-bit " +
                             SignalName(space) + " needs ";
    const char* tail = ", which the sink's EDID does not set.";
    for (const DeepColorNeed& need : kDeepColorNeeds) {
        if (need.depth != signal.format.depth) continue;
        if (space == ColorSpace::kYuv420) {
            if (!(sink.scds.*need.declared420)) lines.push_back(lead + need.flag420 + tail);
            return;
        }
        if (!(sink.*need.declared)) lines.push_back(lead + need.flag + tail);
        if (space == ColorSpace::kYuv444 && !sink.dcY444) lines.push_back(lead + "DC_Y444" + tail);
    }
}

void ColorFormatFinding(const ScenarioSignal& signal, const SinkCapabilities& sink, Lines& lines) {
    const ColorSpace space = signal.format.space;
    if (space == ColorSpace::kOther || DeclaresColorSpace(sink, space)) return;
    lines.push_back("Sink: " + SignalName(space) +
                    " is not among the colour formats the sink declares.");
}

void ScramblingFindings(const ScenarioSignal& signal, const SinkCapabilities& sink, Lines& lines) {
    if (!signal.scrambler) return;
    const char* lead = "Sink: scrambling needs ";
    const char* tail = ", which the sink does not declare.";
    if (!sink.scds.scdc) lines.push_back(std::string(lead) + "SCDC" + tail);
    if (signal.tmdsClock <= kHdmiUnscrambledMaxClock && !sink.scds.lte340Scramble) {
        lines.push_back(std::string(lead) + "scrambling at 340 MHz or less" + tail);
    }
}

void HdrFindings(const ScenarioSignal& signal, const SinkCapabilities& sink, Lines& lines) {
    for (const SinkHdrPacket& packet : signal.hdrPackets) {
        if (packet.eotf == infoframe::kEotfSdr) continue;
        const std::string lead = "Sink: " + packet.file + " asks for " + EotfText(packet.eotf);
        if (!sink.hdrStatic) {
            lines.push_back(lead + ", but the sink has no HDR Static Metadata block.");
        } else if (packet.eotf >= 8 || (sink.eotfs & (1u << packet.eotf)) == 0) {
            lines.push_back(lead + ", which the sink's HDR Static Metadata block does not list.");
        }
    }
}

void DolbyFindings(const ScenarioSignal& signal, const SinkCapabilities& sink, Lines& lines) {
    if (sink.dolbyVsvdb) return;
    for (const std::string& file : signal.dolbyPackets) {
        lines.push_back("Sink: " + file +
                        " is a Dolby Vendor-Specific InfoFrame, but the sink declares no Dolby "
                        "VSVDB.");
    }
}

void AudioFinding(const ScenarioSignal& signal, const SinkCapabilities& sink, Lines& lines) {
    if (signal.audio == SinkAudio::kCompressed && !DeclaresCompressedAudio(sink)) {
        lines.push_back("Sink: compressed audio, but the sink declares only PCM.");
    }
    if (signal.audio == SinkAudio::kPcm &&
        !DeclaresPcm(sink, signal.audioChannels, signal.audioRate)) {
        lines.push_back("Sink: " + std::to_string(signal.audioChannels) + "-channel PCM at " +
                        std::to_string(signal.audioRate) +
                        " Hz is not among the audio formats the sink declares.");
    }
}

}  // namespace

void AddSignalPacket(ScenarioSignal& signal, const std::string& file, const uint8_t* data,
                     size_t size) {
    const InfoFrame frame = ReadInfoFrame(data, size, signal.hdmi);
    if (!frame.present) return;
    if (frame.type == infoframe::kDynamicRangeMastering) {
        signal.hdrPackets.push_back({file, MasteringEotf(frame)});
    }
    if (frame.type == infoframe::kVendorSpecific && frame.Oui() == infoframe::kDolbyOui) {
        signal.dolbyPackets.push_back(file);
    }
}

std::string SinkNote(const ScenarioSignal& signal, const SinkCapabilities& sink) {
    if (!signal.hdmi || sink.cta) return {};
    return "Sink: the EDID has no CTA-861 extension (a DVI sink): only the 165 MHz TMDS limit "
           "and RGB are checked.";
}

std::vector<std::string> SinkFindings(const ScenarioSignal& signal, const SinkCapabilities& sink) {
    Lines lines;
    if (signal.hdmi) {
        TmdsFinding(signal, sink, lines);
        if (sink.cta) DeepColorFindings(signal, sink, lines);
        ColorFormatFinding(signal, sink, lines);
        if (!sink.cta) return lines;
        ScramblingFindings(signal, sink, lines);
    }
    HdrFindings(signal, sink, lines);
    DolbyFindings(signal, sink, lines);
    AudioFinding(signal, sink, lines);
    return lines;
}
