#include "format/color_format.h"

#include <limits>

#include "format/arithmetic.h"

namespace {

struct ColorSpaceName {
    ColorSpace space;
    const char* name;        // as a scenario writes it
    const char* signalName;  // as InfoFrames and EDIDs describe it
};

constexpr ColorSpaceName kColorSpaceNames[] = {
    {ColorSpace::kRgb444, "RGB444", "RGB"},
    {ColorSpace::kYuv444, "YUV444", "YCbCr 4:4:4"},
    {ColorSpace::kYuv422, "YUV422", "YCbCr 4:2:2"},
    {ColorSpace::kYuv420, "YUV420", "YCbCr 4:2:0"},
};

constexpr const char* kRgbFamily = "RGB";
constexpr const char* kYuvFamily = "YUV";

struct DepthEntry {
    ColorDepth depth;
    uint32_t bits;
    const char* text;
    Ratio deepColor;
};

constexpr DepthEntry kDepths[] = {
    {ColorDepth::kOther, 6, "", {1, 1}},    {ColorDepth::k8, 8, "8bit", {1, 1}},
    {ColorDepth::k10, 10, "10bit", {5, 4}}, {ColorDepth::k12, 12, "12bit", {3, 2}},
    {ColorDepth::k16, 16, "16bit", {2, 1}},
};

const DepthEntry& EntryOf(ColorDepth depth) {
    for (const DepthEntry& entry : kDepths) {
        if (entry.depth == depth) return entry;
    }
    return kDepths[0];
}

bool BeginsWith(const std::string& text, const char* start) {
    return text.rfind(start, 0) == 0;
}

}  // namespace

uint32_t ColorFormat::DeviceCode() const {
    // The space sits above the depth code: 0x800 per step from RGB 4:4:4; others send RGB.
    const uint32_t spaceCode = space == ColorSpace::kOther ? 0 : static_cast<uint32_t>(space);
    return spaceCode << 11 | static_cast<uint32_t>(depth);
}

uint16_t ColorFormat::StepCode() const {
    const uint32_t spaceCode = space == ColorSpace::kOther ? 0 : static_cast<uint32_t>(space);
    return static_cast<uint16_t>(spaceCode | static_cast<uint32_t>(depth) << 8);
}

uint32_t ColorFormat::BitsPerComponent() const {
    return EntryOf(depth).bits;
}

uint32_t ColorFormat::BitsPerPixel() const {
    const uint32_t bits = BitsPerComponent();
    if (space == ColorSpace::kYuv422) return 2 * bits;
    if (space == ColorSpace::kYuv420) return 3 * bits / 2;  // every depth is even
    return 3 * bits;
}

Ratio ColorFormat::DeepColorRatio() const {
    return EntryOf(depth).deepColor;
}

Ratio ColorFormat::LinkClockFactor() const {
    return space == ColorSpace::kYuv422 ? Ratio{} : DeepColorRatio();
}

uint64_t ColorFormat::LinkClock(uint64_t pixelClock, Ratio factor) const {
    if (space == ColorSpace::kYuv420) pixelClock /= 2;
    // A clock must not wrap to a small one that would pass a check.
    return SaturatingMultiply(pixelClock, factor.numerator) / factor.denominator;
}

ColorSpace ParseColorSpace(const std::string& name) {
    for (const ColorSpaceName& entry : kColorSpaceNames) {
        if (name == entry.name) return entry.space;
    }
    return ColorSpace::kOther;
}

std::string SignalName(ColorSpace space) {
    for (const ColorSpaceName& entry : kColorSpaceNames) {
        if (space == entry.space) return entry.signalName;
    }
    return {};
}

ColorFormat ColorFormatOf(const std::string& colorSpace, uint32_t bits) {
    ColorFormat format{ParseColorSpace(colorSpace), ColorDepth::kOther};
    for (const DepthEntry& entry : kDepths) {
        if (entry.depth != ColorDepth::kOther && entry.bits == bits) format.depth = entry.depth;
    }
    return format;
}

bool ParseColorFormat(const std::string& text, ColorFormat& format) {
    const size_t at = text.find('@');
    if (at == std::string::npos) return false;
    format = ColorFormat{ParseColorSpace(text.substr(0, at)), ColorDepth::kOther};
    const std::string depth = text.substr(at + 1);
    for (const DepthEntry& entry : kDepths) {
        if (entry.depth != ColorDepth::kOther && depth == entry.text) format.depth = entry.depth;
    }
    return true;
}

ColorFormat ColorFormatOfStepCode(uint16_t code) {
    const uint32_t spaceCode = code & 0xFFu;
    const uint32_t depthCode = code >> 8;
    ColorFormat format;
    if (spaceCode <= static_cast<uint32_t>(ColorSpace::kYuv420)) {
        format.space = static_cast<ColorSpace>(spaceCode);
    }
    if (depthCode <= static_cast<uint32_t>(ColorDepth::k16)) {
        format.depth = static_cast<ColorDepth>(depthCode);
    }
    return format;
}

ColorFamily ColorFamilyOf(const std::string& formatText) {
    if (BeginsWith(formatText, kRgbFamily)) return ColorFamily::kRgb;
    if (BeginsWith(formatText, kYuvFamily)) return ColorFamily::kYuv;
    return ColorFamily::kNone;
}

bool MentionsYuv(const std::string& colorSpace) {
    return colorSpace.find(kYuvFamily) != std::string::npos;
}
