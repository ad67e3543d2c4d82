#include "infoframe_fields.h"

#include <iterator>

#include "files/text.h"
#include "values.h"

namespace {

struct Named {
    const char* name;
    uint8_t value;
};

template <size_t N>
bool Pick(const Named (&names)[N], const std::string& value, uint8_t& field) {
    for (const Named& named : names) {
        if (value == named.name) {
            field = named.value;
            return true;
        }
    }
    return false;
}

bool Whole16(const std::string& value, uint16_t& field) {
    uint32_t read = 0;
    if (!ParseWhole(value, 0xFFFF, read)) return false;
    field = static_cast<uint16_t>(read);
    return true;
}

// Chromaticity coordinates "x,y,..." in CTA-861.3's 0.00002 units.
template <size_t N>
bool Chromaticities(const std::string& value, uint16_t (&field)[N]) {
    const std::vector<std::string> parts = splitPieces(value, ',');
    if (parts.size() != N) return false;
    for (size_t i = 0; i < N; ++i) {
        uint64_t hundredThousandths = 0;
        if (!ParseDecimal(trim(parts[i]), 5, 100000, hundredThousandths)) return false;
        field[i] = static_cast<uint16_t>((hundredThousandths + 1) / 2);
    }
    return true;
}

void Put16(std::vector<uint8_t>& data, size_t at, uint16_t value) {
    data[at] = static_cast<uint8_t>(value);
    data[at + 1] = static_cast<uint8_t>(value >> 8);
}

// --- AVI ---------------------------------------------------------------------------
constexpr Named kFormats[] = {{"rgb", 0}, {"yuv422", 1}, {"yuv444", 2}, {"yuv420", 3}};
constexpr Named kColorimetries[] = {{"none", 0}, {"bt601", 1}, {"bt709", 2}, {"bt2020", 3}};
constexpr Named kQuantizations[] = {{"default", 0}, {"limited", 1}, {"full", 2}};
constexpr uint8_t kExtendedColorimetry = 3;  // C: the extended colorimetry field counts
constexpr uint8_t kExtendedBt2020 = 6;       // EC: BT.2020 R'G'B' or Y'C'bC'r
constexpr uint32_t kMaxVersion2Vic = 127;    // version 2 has 7 bits of VIC

const FieldRule kAviRules[] = {
    {"format", "rgb, yuv422, yuv444 or yuv420",
     [](const std::string& v, InfoFrameFields& f) { return Pick(kFormats, v, f.format); }},
    {"colorimetry", "none, bt601, bt709 or bt2020",
     [](const std::string& v, InfoFrameFields& f) {
         return Pick(kColorimetries, v, f.colorimetry);
     }},
    {"quantization", "default, limited or full",
     [](const std::string& v, InfoFrameFields& f) {
         return Pick(kQuantizations, v, f.quantization);
     }},
    {"vic", "0 to 127",
     [](const std::string& v, InfoFrameFields& f) {
         return ParseWhole(v, kMaxVersion2Vic, f.vic);
     }},
};

// Version 2, 13 data bytes; aspect ratio, active format, bars and scan stay 0. RGB
// carries its range in Q, YCbCr in YQ (where 0 is limited and there is no default).
InfoFrameToWrite BuildAvi(const InfoFrameFields& f) {
    InfoFrameToWrite frame{TypeCodeOf(infoframe::kAvi), 2, std::vector<uint8_t>(13, 0)};
    frame.data[0] = static_cast<uint8_t>(f.format << 5);
    const bool bt2020 = f.colorimetry == 3;
    frame.data[1] = static_cast<uint8_t>((bt2020 ? kExtendedColorimetry : f.colorimetry) << 6);
    frame.data[2] = static_cast<uint8_t>((bt2020 ? kExtendedBt2020 : 0) << 4);
    if (f.format == 0) {
        frame.data[2] = static_cast<uint8_t>(frame.data[2] | f.quantization << 2);
    } else if (f.quantization == 2) {
        frame.data[4] = 1 << 6;
    }
    frame.data[3] = static_cast<uint8_t>(f.vic);
    return frame;
}

// --- Dynamic Range and Mastering ---------------------------------------------------
constexpr Named kEotfs[] = {{"sdr", 0}, {"hdr", 1}, {"pq", 2}, {"hlg", 3}};

struct NamedPrimaries {
    const char* name;
    const char* value;
};
constexpr NamedPrimaries kPrimaries[] = {
    {"bt709", "0.640,0.330,0.300,0.600,0.150,0.060"},
    {"p3-d65", "0.680,0.320,0.265,0.690,0.150,0.060"},
    {"bt2020", "0.708,0.292,0.170,0.797,0.131,0.046"},
};
constexpr const char* kD65 = "0.3127,0.3290";

bool Primaries(const std::string& value, InfoFrameFields& f) {
    for (const NamedPrimaries& named : kPrimaries) {
        if (value == named.name) return Chromaticities(named.value, f.primaries);
    }
    return Chromaticities(value, f.primaries);
}

const FieldRule kDrmRules[] = {
    {"eotf", "sdr, hdr, pq or hlg",
     [](const std::string& v, InfoFrameFields& f) { return Pick(kEotfs, v, f.eotf); }},
    {"primaries", "bt709, p3-d65, bt2020 or rx,ry,gx,gy,bx,by", Primaries},
    {"white", "d65 or x,y",
     [](const std::string& v, InfoFrameFields& f) {
         return Chromaticities(v == "d65" ? kD65 : v, f.white);
     }},
    {"max-luminance", "whole cd/m2, 0 to 65535",
     [](const std::string& v, InfoFrameFields& f) { return Whole16(v, f.maxLuminance); }},
    {"min-luminance", "cd/m2 with up to four decimals, 0 to 6.5535",
     [](const std::string& v, InfoFrameFields& f) {
         uint64_t units = 0;
         if (!ParseDecimal(v, 4, 0xFFFF, units)) return false;
         f.minLuminance = static_cast<uint16_t>(units);
         return true;
     }},
    {"max-cll", "whole cd/m2, 0 to 65535",
     [](const std::string& v, InfoFrameFields& f) { return Whole16(v, f.maxCll); }},
    {"max-fall", "whole cd/m2, 0 to 65535",
     [](const std::string& v, InfoFrameFields& f) { return Whole16(v, f.maxFall); }},
};

// Version 1, 26 data bytes: EOTF, descriptor 0 (static metadata type 1), then 16-bit
// little-endian values. Primaries are written red, green, blue.
InfoFrameToWrite BuildDrm(const InfoFrameFields& f) {
    InfoFrameToWrite frame{TypeCodeOf(infoframe::kDynamicRangeMastering), 1,
                           std::vector<uint8_t>(26, 0)};
    frame.data[0] = f.eotf;
    for (size_t i = 0; i < 6; ++i) Put16(frame.data, 2 + 2 * i, f.primaries[i]);
    Put16(frame.data, 14, f.white[0]);
    Put16(frame.data, 16, f.white[1]);
    Put16(frame.data, 18, f.maxLuminance);
    Put16(frame.data, 20, f.minLuminance);
    Put16(frame.data, 22, f.maxCll);
    Put16(frame.data, 24, f.maxFall);
    return frame;
}

// --- Audio -------------------------------------------------------------------------
// The speaker allocation of each count (2 to 8): 2.0, 2.1, 3.1, 4.1, 5.1, 6.1, 7.1.
constexpr uint8_t kAllocations[] = {0x00, 0x01, 0x03, 0x07, 0x0B, 0x0F, 0x13};

const FieldRule kAudioRules[] = {
    {"channels", "2 to 8",
     [](const std::string& v, InfoFrameFields& f) {
         return ParseWhole(v, 8, f.channels) && f.channels >= 2;
     }},
};

// Version 1, 10 data bytes; coding type, rate and size "refer to the stream header".
// Without channels the count is left to the stream header too.
InfoFrameToWrite BuildAudio(const InfoFrameFields& f) {
    InfoFrameToWrite frame{TypeCodeOf(infoframe::kAudio), 1, std::vector<uint8_t>(10, 0)};
    if (f.channels >= 2) {
        frame.data[0] = static_cast<uint8_t>(f.channels - 1);
        frame.data[3] = kAllocations[f.channels - 2];
    }
    return frame;
}

// --- Vendor-specific ---------------------------------------------------------------
constexpr size_t kOuiBytes = 3;

const FieldRule kVendorRules[] = {
    {"oui", "hex such as 0x00D046",
     [](const std::string& v, InfoFrameFields& f) { return ParseHexNumber(v, 0xFFFFFF, f.oui); }},
    {"version", "0 to 255",
     [](const std::string& v, InfoFrameFields& f) { return ParseWhole(v, 255, f.version); }},
    {"payload", "hex bytes, at most 24",
     [](const std::string& v, InfoFrameFields& f) {
         return ParseHexBytes(v, f.payload) &&
                f.payload.size() <= infoframe::kMaxLength - kOuiBytes;
     }},
};

// The OUI least significant byte first, then the payload.
InfoFrameToWrite BuildVendor(const InfoFrameFields& f) {
    InfoFrameToWrite frame{
        TypeCodeOf(infoframe::kVendorSpecific), static_cast<uint8_t>(f.version), {}};
    for (size_t i = 0; i < kOuiBytes; ++i)
        frame.data.push_back(static_cast<uint8_t>(f.oui >> (8 * i)));
    frame.data.insert(frame.data.end(), f.payload.begin(), f.payload.end());
    return frame;
}

const InfoFrameKind kKinds[] = {
    {"avi", kAviRules, std::size(kAviRules), BuildAvi},
    {"drm", kDrmRules, std::size(kDrmRules), BuildDrm},
    {"audio", kAudioRules, std::size(kAudioRules), BuildAudio},
    {"vendor", kVendorRules, std::size(kVendorRules), BuildVendor},
};

}  // namespace

const InfoFrameKind* FindInfoFrameKind(const std::string& name) {
    for (const InfoFrameKind& kind : kKinds) {
        if (name == kind.name) return &kind;
    }
    return nullptr;
}

std::string InfoFrameKindNames() {
    return "avi, drm, audio or vendor";
}

const FieldRule* FindFieldRule(const InfoFrameKind& kind, const std::string& key) {
    for (size_t i = 0; i < kind.ruleCount; ++i) {
        if (key == kind.rules[i].key) return &kind.rules[i];
    }
    return nullptr;
}
