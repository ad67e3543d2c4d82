// Video frames: raw binary frame files sized against the active timing,
// converted where the device needs it and sent to their memory block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kernels/page_buffer.h"
#include "upload/frame_format_table.h"
#include "upload/frame_sequence.h"

struct ScenarioSettings;
struct ScenarioFiles;
class DataLoaderBase;

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

// Buffers reused from frame to frame, so memory stays at one frame and its
// converted copy however many frames are loaded.
struct FrameBuffers {
    PageBuffer frame;            // the bytes sent
    std::vector<uint8_t> piece;  // where a file that cannot be mapped is read a piece at a time
};

// Why a frame file (of the size its status query gave) cannot be sent with format text
// `format`, as the upload reports it; empty when its size and format code are usable.
std::string CheckFrame(const SequenceFile& file, const std::string& format,
                       const ScenarioSettings& settings);

// A frame as the upload sends it: the file's bytes widened, reordered and shifted.
struct SentFrame {
    ColorClass colorClass = ColorClass::kNone;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bpp = 0;  // bytes per pixel sent
    uint32_t code = 0;
    const uint8_t* data = nullptr;  // `bytes` bytes, in the buffers it was read into
    uint32_t bytes = 0;
    std::string label;  // as in the upload line
};

// Reads and converts a frame file into `buffers` exactly as the upload would send it,
// without a device call. The returned text is the upload's reason when it cannot,
// empty when `frame` holds the frame.
std::string ReadSentFrame(const SequenceFile& file, const std::string& format,
                          const ScenarioSettings& settings, FrameBuffers& buffers,
                          SentFrame& frame);

// A video item whose name does not say ".bin".
inline constexpr const char* kNotBinaryImage = "Provided image is not binary!";

// The line that follows a frame's problem and names its file.
std::string FailedToLoad(const std::string& path);

// Loads one frame file into the selected memory block; reports through `loader`.
bool UploadImage(DataLoaderBase& loader, const SequenceFile& file, const std::string& format,
                 const ScenarioSettings& settings, FrameBuffers& buffers);

// The formats.cfg table of the first video item's folder.
FormatTable VideoFormatTable(const std::vector<std::string>& items);

// Every frame the upload `found` for the `video` items, item k into memory block k.
bool LoadVideoFrames(DataLoaderBase& loader, const ScenarioSettings& settings,
                     const ScenarioFiles& found);
