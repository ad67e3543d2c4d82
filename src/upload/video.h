// Video frames: raw binary frame files, read and converted as planned (upload/frame_plan)
// and sent to their memory block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kernels/page_buffer.h"
#include "upload/frame_plan.h"

struct ScenarioSettings;
struct ContentPlan;
class DataLoaderBase;

// Buffers reused from frame to frame, so memory stays at one frame and its
// converted copy however many frames are loaded.
struct FrameBuffers {
    PageBuffer frame;            // the bytes sent
    std::vector<uint8_t> piece;  // where a file that cannot be mapped is read a piece at a time
};

// A frame as the upload sends it: the file's bytes widened, reordered and shifted.
struct SentFrame {
    ColorClass colorClass = ColorClass::kNone;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bpp = 0;  // bytes per pixel sent
    uint32_t code = 0;
    const uint8_t* data = nullptr;  // `bytes` bytes, in the buffers it was read into
    uint32_t bytes = 0;
    unsigned shift = 0;  // the deep-colour shift the upload applied
};

// Reads and converts a planned frame file into `buffers` exactly as the upload would send
// it, without a device call. The returned text is the upload's reason when it cannot (the
// plan's, or a read that failed), empty when `frame` holds the frame.
std::string ReadSentFrame(const FramePlan& plan, FrameBuffers& buffers, SentFrame& frame);

// Loads one planned frame into the selected memory block; reports through `loader`.
bool UploadImage(DataLoaderBase& loader, const FramePlan& plan, bool hdmi, FrameBuffers& buffers);

// Every frame of the plan's `video` items, item k into memory block k.
bool LoadVideoFrames(DataLoaderBase& loader, const ScenarioSettings& settings,
                     const ContentPlan& plan);
