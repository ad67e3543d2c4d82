// How a frame file is sent, decided from its size and format text before anything is read:
// the colour class, the bytes per pixel sent, the device's pixel format code, the widening,
// reordering and deep-colour shift, or the reason it cannot be sent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "upload/frame_format_table.h"
#include "upload/frame_sequence.h"

struct ScenarioSettings;

enum class ColorClass { kNone, kRgb, kYuv444, kYuv422, kYuv420 };

// From the frame's format text (empty: none configured) and the scenario's colorspace.
ColorClass DecideColorClass(const std::string& format, const std::string& colorspace);
// The device's pixel format code for the class and the bytes per pixel it is sent
// with; 0 when the device has none for that pair.
uint32_t PixelFormatCode(ColorClass colorClass, uint32_t bpp);
// The label of the upload line; "Settings: ..."/"Configured: ..." when deep
// colour alignment applies, otherwise the format text itself.
std::string FrameLabel(const std::string& format, const ScenarioSettings& settings);
// Left shift of 16-bit samples that the label asks for (6, 4 or 0).
unsigned DeepColorShift(const std::string& label);

struct FramePlan {
    SequenceFile file;
    std::string label;  // as in the upload line
    ColorClass colorClass = ColorClass::kNone;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bpp = 0;      // bytes per pixel as sent
    uint32_t bytes = 0;    // bytes sent
    bool widen = false;    // 3 bytes per pixel in the file, 4 sent
    bool reorder = false;  // YUV 4:4:4: the file's Y, Cb, Cr go to the slots the device reads
    uint32_t code = 0;
    unsigned shift = 0;   // deep-colour alignment of 16-bit samples
    std::string problem;  // why it cannot be sent, as the upload reports it; empty: it can
};

// The plan of a frame file of the size its look-up gave (negative: it cannot be opened).
FramePlan PlanFrame(const SequenceFile& file, const std::string& format,
                    const ScenarioSettings& settings);

// The formats.cfg table of the first video item's folder.
FormatTable VideoFormatTable(const std::vector<std::string>& items);

// A video item whose name does not say ".bin".
inline constexpr const char* kNotBinaryImage = "Provided image is not binary!";
// The line that follows a frame's problem and names its file.
std::string FailedToLoad(const std::string& path);
// How the upload names a frame file it cannot open.
std::string CannotOpenFrame(const std::string& path);
