// The colour format of the output signal: colour space and depth, and what follows from
// them on the device and on the link. Every colour-space name the program knows is here.
#pragma once

#include <cstdint>
#include <string>

enum class ColorSpace : uint8_t { kRgb444, kYuv444, kYuv422, kYuv420, kOther };

// Values are the device's depth codes; kOther (code 0) runs at 6 bits per component.
enum class ColorDepth : uint8_t { kOther = 0, k8 = 1, k10 = 2, k12 = 3, k16 = 4 };

struct Ratio {
    uint64_t numerator = 1;
    uint64_t denominator = 1;
};

struct ColorFormat {
    ColorSpace space = ColorSpace::kOther;
    ColorDepth depth = ColorDepth::kOther;

    // The device's colour format code (item 1804): colour-space code OR depth code.
    uint32_t DeviceCode() const;
    // The playing-order colour code (ColorFormatOfStepCode reads it back).
    uint16_t StepCode() const;
    // 6, 8, 10, 12 or 16.
    uint32_t BitsPerComponent() const;
    // Bits of one pixel on a link that carries the chroma as subsampled.
    uint32_t BitsPerPixel() const;
    // How much faster than 8 bits the depth alone clocks: 5/4, 3/2, 2/1 or 1/1.
    Ratio DeepColorRatio() const;
    // The TMDS clock factor: 4:2:2 packs any depth into the 8-bit clock.
    Ratio LinkClockFactor() const;
    // Link clock of a pixel clock: 4:2:0 halves it, then the factor scales it (integer
    // steps in that order: halve, multiply, divide).
    uint64_t LinkClock(uint64_t pixelClock) const {
        return LinkClock(pixelClock, LinkClockFactor());
    }
    uint64_t LinkClock(uint64_t pixelClock, Ratio factor) const;

    bool operator==(const ColorFormat&) const = default;
};

// What the output shows when no scenario runs.
inline constexpr ColorFormat kPlainRgb{ColorSpace::kRgb444, ColorDepth::k8};

// The exact, case-sensitive name of one of the four spaces; kOther otherwise.
ColorSpace ParseColorSpace(const std::string& name);
// The space as the signal's own descriptions name it ("RGB", "YCbCr 4:2:2"); empty for kOther.
std::string SignalName(ColorSpace space);
// A scenario's colour space text and bits per colour (8, 10, 12 or 16; others are kOther).
ColorFormat ColorFormatOf(const std::string& colorSpace, uint32_t bits);
// "<space>@<depth>" with a depth text "8bit", "10bit", "12bit" or "16bit"; the first "@"
// splits. False, `format` unchanged, when there is no "@".
bool ParseColorFormat(const std::string& text, ColorFormat& format);
// A playing-order colour code: low byte the colour space (0 RGB 4:4:4, 1 YUV 4:4:4,
// 2 YUV 4:2:2, 3 YUV 4:2:0), high byte the depth code.
ColorFormat ColorFormatOfStepCode(uint16_t code);

// The family (RGB or YUV) that a frame format text names by its first three letters.
enum class ColorFamily { kNone, kRgb, kYuv };
ColorFamily ColorFamilyOf(const std::string& formatText);
// Whether a colour-space text names YUV anywhere in it: such a solid colour is sent as Y/Cb/Cr.
bool MentionsYuv(const std::string& colorSpace);
