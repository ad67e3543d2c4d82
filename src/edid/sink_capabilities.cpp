#include "edid/sink_capabilities.h"

#include <algorithm>

#include "edid/cta_blocks.h"
#include "edid/sink_edid.h"
#include "format/frequency.h"
#include "packets/infoframe.h"

namespace {

constexpr uint8_t kCtaRevision2 = 2;  // byte 3 carries the YCbCr and audio flags from here
constexpr uint8_t kCtaRevision3 = 3;  // and the data blocks from here
constexpr uint8_t kBasicAudio = 0x40;
constexpr uint8_t kYcbcr444 = 0x20;
constexpr uint8_t kYcbcr422 = 0x10;
constexpr uint8_t kLpcm = 1;
constexpr uint64_t kMhz = 1000000;
constexpr uint64_t kDviTmdsLimit = 165 * kMhz;
// Basic audio: 2-channel LPCM at 32, 44.1 and 48 kHz.
constexpr ShortAudioDescriptor kBasicAudioPcm{kLpcm, 2, 0x07};

struct SampleRate {
    uint32_t hertz;
    const char* kilohertz;
};

// Bit n of a descriptor's rate byte.
constexpr SampleRate kRates[] = {{32000, "32"}, {44100, "44.1"},   {48000, "48"},  {88200, "88.2"},
                                 {96000, "96"}, {176400, "176.4"}, {192000, "192"}};

uint8_t At(const uint8_t* block, uint32_t size, uint32_t at) {
    return at < size ? block[at] : 0;
}

bool Bit(uint8_t byte, uint8_t mask) {
    return (byte & mask) != 0;
}

// The SCDS fields begin at byte 4 of both the HF-VSDB and the HF-SCDB.
SinkScds ReadScds(const uint8_t* block, uint32_t size) {
    SinkScds scds;
    scds.present = true;
    scds.maxTmdsCharacterRate = At(block, size, 5);
    const uint8_t features = At(block, size, 6);
    scds.scdc = Bit(features, 0x80);
    scds.lte340Scramble = Bit(features, 0x08);
    const uint8_t deepColor = At(block, size, 7);
    scds.dc420_30 = Bit(deepColor, 0x01);
    scds.dc420_36 = Bit(deepColor, 0x02);
    scds.dc420_48 = Bit(deepColor, 0x04);
    return scds;
}

struct Reading {
    SinkCapabilities sink;
    SinkScds fromScdb;  // used where no HF-VSDB gives the SCDS
};

void ReadHdmiVsdb(const uint8_t* block, uint32_t size, SinkCapabilities& sink) {
    if (sink.hdmiVsdb) return;
    sink.hdmiVsdb = true;
    const uint8_t flags = At(block, size, 6);
    sink.dc48 = Bit(flags, 0x40);
    sink.dc36 = Bit(flags, 0x20);
    sink.dc30 = Bit(flags, 0x10);
    sink.dcY444 = Bit(flags, 0x08);
    sink.maxTmdsClock = At(block, size, 7);
}

void ReadAudio(const uint8_t* block, uint32_t size, SinkCapabilities& sink) {
    for (uint32_t at = 1; at + 3 <= size; at += 3) {
        const uint8_t first = block[at];
        sink.audio.push_back({static_cast<uint8_t>((first >> 3) & 0x0F),
                              static_cast<uint8_t>((first & 7) + 1),
                              static_cast<uint8_t>(block[at + 1] & 0x7F)});
    }
}

void ReadExtended(const uint8_t* block, uint32_t size, Reading& reading) {
    SinkCapabilities& sink = reading.sink;
    switch (At(block, size, 1)) {
        case cta::kExtendedVendorVideo:
            if (OuiAt(block, size, 2, infoframe::kDolbyOui)) sink.dolbyVsvdb = true;
            return;
        case cta::kExtendedHdrStatic:
            if (sink.hdrStatic) return;
            sink.hdrStatic = true;
            sink.eotfs = At(block, size, 2) & 0x3F;
            return;
        case cta::kExtendedYcbcr420Video:
            sink.ycbcr420Video = true;
            return;
        case cta::kExtendedYcbcr420Map:
            sink.ycbcr420Map = true;
            return;
        case cta::kExtendedHdmiForumScdb:
            if (!reading.fromScdb.present) reading.fromScdb = ReadScds(block, size);
            return;
    }
}

void ReadDataBlock(const uint8_t* block, uint32_t size, Reading& reading) {
    SinkCapabilities& sink = reading.sink;
    switch (block[0] >> 5) {
        case cta::kTagAudio:
            ReadAudio(block, size, sink);
            return;
        case cta::kTagVendor:
            if (OuiAt(block, size, 1, infoframe::kHdmiOui)) ReadHdmiVsdb(block, size, sink);
            if (OuiAt(block, size, 1, infoframe::kHdmiForumOui) && !sink.scds.present) {
                sink.scds = ReadScds(block, size);
            }
            return;
        case cta::kTagExtended:
            ReadExtended(block, size, reading);
            return;
    }
}

void ReadExtension(const uint8_t* block, Reading& reading) {
    SinkCapabilities& sink = reading.sink;
    sink.cta = true;
    const uint8_t revision = block[1];
    if (revision < kCtaRevision2) return;
    sink.basicAudio |= Bit(block[3], kBasicAudio);
    sink.ycbcr444 |= Bit(block[3], kYcbcr444);
    sink.ycbcr422 |= Bit(block[3], kYcbcr422);
    if (revision < kCtaRevision3) return;
    ForEachCtaDataBlock(block, EmptyDataBlock::kSkipped,
                        [block, &reading](uint32_t offset, uint32_t size) {
                            ReadDataBlock(block + offset, size, reading);
                        });
}

std::string ListOrNone(const std::vector<std::string>& items, const char* unit = "") {
    if (items.empty()) return "none";
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text + unit;
}

std::string DeepColorText(const SinkCapabilities& sink) {
    std::vector<std::string> depths;
    if (sink.dc30) depths.push_back("30");
    if (sink.dc36) depths.push_back("36");
    if (sink.dc48) depths.push_back("48");
    const bool y444 = sink.dcY444 && !depths.empty();
    return ListOrNone(depths, " bits") + (y444 ? " (YCbCr 4:4:4 too)" : "");
}

std::string HdrText(const SinkCapabilities& sink) {
    std::vector<std::string> eotfs;
    for (uint8_t eotf = 0; eotf < 6; ++eotf) {
        if (Bit(sink.eotfs, static_cast<uint8_t>(1u << eotf))) eotfs.push_back(EotfText(eotf));
    }
    return ListOrNone(eotfs);
}

std::vector<ShortAudioDescriptor> PcmDescriptors(const SinkCapabilities& sink) {
    std::vector<ShortAudioDescriptor> pcm;
    if (sink.basicAudio) pcm.push_back(kBasicAudioPcm);
    for (const ShortAudioDescriptor& sad : sink.audio) {
        if (sad.format == kLpcm) pcm.push_back(sad);
    }
    return pcm;
}

std::string PcmText(const SinkCapabilities& sink) {
    uint32_t channels = 0;
    uint8_t rates = 0;
    for (const ShortAudioDescriptor& sad : PcmDescriptors(sink)) {
        channels = std::max<uint32_t>(channels, sad.channels);
        rates |= sad.rates;
    }
    if (channels == 0) return "none";
    std::vector<std::string> kilohertz;
    for (size_t bit = 0; bit < std::size(kRates); ++bit) {
        if (Bit(rates, static_cast<uint8_t>(1u << bit))) kilohertz.push_back(kRates[bit].kilohertz);
    }
    return std::to_string(channels) + " channels at " + ListOrNone(kilohertz, " kHz");
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

}  // namespace

SinkCapabilities ReadSinkCapabilities(const uint8_t* edid, size_t size) {
    Reading reading;
    const auto n = static_cast<uint32_t>(std::min<size_t>(size, UINT32_MAX));
    ForEachEdidExtension(edid, size, n, [&reading](const uint8_t* block, uint32_t) {
        if (block[0] == kCtaExtensionTag) ReadExtension(block, reading);
        return true;
    });
    if (!reading.sink.scds.present) reading.sink.scds = reading.fromScdb;
    return reading.sink;
}

std::string ReadSinkCapabilitiesFile(const std::string& path, SinkCapabilities& capabilities) {
    std::vector<uint8_t> edid;
    std::string refusal = ReadSinkEdidFile(path, edid);
    if (refusal.empty()) capabilities = ReadSinkCapabilities(edid.data(), edid.size());
    return refusal;
}

uint64_t SinkTmdsLimit(const SinkCapabilities& sink) {
    if (sink.scds.maxTmdsCharacterRate != 0) return sink.scds.maxTmdsCharacterRate * 5 * kMhz;
    if (sink.maxTmdsClock != 0) return sink.maxTmdsClock * 5 * kMhz;
    return kDviTmdsLimit;
}

bool DeclaresColorSpace(const SinkCapabilities& sink, ColorSpace space) {
    switch (space) {
        case ColorSpace::kRgb444:
            return true;
        case ColorSpace::kYuv444:
            return sink.ycbcr444;
        case ColorSpace::kYuv422:
            return sink.ycbcr422;
        case ColorSpace::kYuv420:
            return sink.ycbcr420Video || sink.ycbcr420Map;
        case ColorSpace::kOther:
            break;
    }
    return false;
}

bool DeclaresPcm(const SinkCapabilities& sink, uint32_t channels, uint32_t rate) {
    uint8_t rateBit = 0;
    for (size_t bit = 0; bit < std::size(kRates); ++bit) {
        if (kRates[bit].hertz == rate) rateBit = static_cast<uint8_t>(1u << bit);
    }
    for (const ShortAudioDescriptor& sad : PcmDescriptors(sink)) {
        if (sad.channels >= channels && Bit(sad.rates, rateBit)) return true;
    }
    return false;
}

bool DeclaresCompressedAudio(const SinkCapabilities& sink) {
    return std::any_of(sink.audio.begin(), sink.audio.end(),
                       [](const ShortAudioDescriptor& sad) { return sad.format != kLpcm; });
}

std::string SinkSummaryLine(const std::string& file, const SinkCapabilities& sink) {
    std::vector<std::string> ycbcr;
    if (sink.ycbcr444) ycbcr.push_back("4:4:4");
    if (sink.ycbcr422) ycbcr.push_back("4:2:2");
    const bool y420 = DeclaresColorSpace(sink, ColorSpace::kYuv420);
    return "Sink " + file + ": max TMDS " + MhzText(SinkTmdsLimit(sink)) + " MHz; deep colour " +
           DeepColorText(sink) + "; YCbCr " + ListOrNone(ycbcr) + "; 4:2:0 " +
           (y420 ? "declared" : "none") + "; SCDC " + YesNo(sink.scds.scdc) + "; HDR " +
           HdrText(sink) + "; Dolby VSVDB " + YesNo(sink.dolbyVsvdb) + "; LPCM " + PcmText(sink) +
           ".";
}
