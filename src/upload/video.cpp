#include "upload/video.h"

#include <algorithm>
#include <new>

#include "device/config_items.h"
#include "device/items.h"
#include "files/file_pieces.h"
#include "files/paths.h"
#include "files/text.h"
#include "format/color_format.h"
#include "kernels/pixel_kernels.h"
#include "scenario/scenario.h"
#include "upload/content_plan.h"
#include "upload/frame_sequence.h"
#include "upload/loader.h"
#include "upload/progress.h"

namespace {

// Pixels per piece where the file is read rather than mapped: a piece's bytes are
// still in the core's cache when they are converted. A multiple of 4, so every piece
// starts on a whole pixel and a whole 16-bit word at any Bpp.
constexpr size_t kStepPixels = 16 * 1024;

PixelSteps pixelSteps(const FramePlan& plan) {
    PixelSteps steps;
    steps.widen = plan.widen;
    steps.bpp = plan.widen ? 3 : plan.bpp;
    steps.reorder = plan.reorder;
    steps.shift = plan.shift;
    return steps;
}

// Converts the file's pixels into `frame` as they pass, one pass over the file. A
// YUV 4:2:0 file holds more bytes than are sent: those are not looked at.
bool readConverted(const std::string& path, const FramePlan& plan, uint8_t* frame,
                   std::vector<uint8_t>& scratch) {
    const PixelSteps steps = pixelSteps(plan);
    const uint64_t pixels = uint64_t{plan.width} * plan.height;
    const auto convert = [frame, pixels, &steps](uint64_t offset, const uint8_t* data,
                                                 size_t size) {
        const uint64_t first = offset / steps.bpp;
        if (first >= pixels) return;
        const auto count =
            static_cast<size_t>(std::min<uint64_t>(size / steps.bpp, pixels - first));
        ConvertPixels(data, frame + first * OutputBpp(steps), count, steps);
    };
    return readFilePieces(path, static_cast<uint64_t>(plan.file.size), steps.bpp * kStepPixels,
                          scratch, convert);
}

// Reads the file into the reused frame buffer, widened and converted as planned.
// `data` then points at the bytes to send. False on a read or memory failure.
bool readFrame(const std::string& path, const FramePlan& plan, FrameBuffers& buffers,
               uint8_t*& data) {
    try {
        if (!buffers.frame.resize(plan.bytes)) return false;
        if (!readConverted(path, plan, buffers.frame.data(), buffers.piece)) return false;
        data = buffers.frame.data();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

std::string ReadSentFrame(const FramePlan& plan, FrameBuffers& buffers, SentFrame& frame) {
    if (!plan.problem.empty()) return plan.problem;
    const std::string& path = plan.file.path;
    uint8_t* data = nullptr;
    if (!readFrame(path, plan, buffers, data)) {
        // The file is opened only here, so a file that cannot be opened at all shows now.
        return fileSize(path) < 0 ? CannotOpenFrame(path) : "Cannot read " + path;
    }
    frame.colorClass = plan.colorClass;
    frame.width = plan.width;
    frame.height = plan.height;
    frame.bpp = plan.bpp;
    frame.code = plan.code;
    frame.data = data;
    frame.bytes = plan.bytes;
    frame.shift = plan.shift;
    return {};
}

bool UploadImage(DataLoaderBase& loader, const FramePlan& plan, bool hdmi, FrameBuffers& buffers) {
    SentFrame frame;
    const std::string problem = ReadSentFrame(plan, buffers, frame);
    if (!problem.empty()) {
        loader.ReportError(problem);
        return false;
    }
    const bool sent = SendImage(frame.width, frame.height, frame.code, frame.data, frame.bytes);
    SetImageSize(hdmi, frame.width, frame.height);
    const std::string name = fileName(plan.file.path);
    if (sent) {
        loader.ReportInfo(name + ": " + std::to_string(frame.bpp) + " Bpp " + plan.label);
    } else {
        loader.ReportInfo(name + ": Not loaded");
    }
    return sent;
}

namespace {

UploadProgress ProgressOf(const std::vector<VideoItemPlan>& items) {
    uint64_t count = 0;
    uint64_t bytes = 0;
    for (const VideoItemPlan& item : items) {
        count += item.frames.size();
        for (const FramePlan& frame : item.frames) {
            bytes += frame.file.size < 0 ? 0 : static_cast<uint64_t>(frame.file.size);
        }
    }
    return UploadProgress(count, bytes);
}

// Reports through `loader`, the progress line taken off the screen first: each frame's line
// stands where the progress line was, and the progress line is drawn again below it.
class ReportsBesideProgress : public DataLoaderBase {
  public:
    ReportsBesideProgress(DataLoaderBase& loader, UploadProgress& progress)
        : loader_(loader), progress_(progress) {}
    bool LoadVideo(ScenarioSettings& settings) override { return loader_.LoadVideo(settings); }
    void ReportInfo(std::string text) override {
        progress_.Hide();
        loader_.ReportInfo(std::move(text));
    }
    void ReportError(std::string text) override {
        progress_.Hide();
        loader_.ReportError(std::move(text));
    }
    void ReportSuccess(std::string text) override {
        progress_.Hide();
        loader_.ReportSuccess(std::move(text));
    }

  private:
    DataLoaderBase& loader_;
    UploadProgress& progress_;
};

}  // namespace

bool LoadVideoFrames(DataLoaderBase& upload, const ScenarioSettings& settings,
                     const ContentPlan& plan) {
    const std::vector<VideoItemPlan>& items = plan.video;
    if (items.empty()) {
        upload.ReportError("Failed parsing video path!");
        return false;
    }
    FrameBuffers buffers;
    UploadProgress progress = ProgressOf(items);
    ReportsBesideProgress loader(upload, progress);
    for (uint32_t block = 0; block < items.size(); ++block) {
        if (!SelectMemoryBlock(block)) {
            loader.ReportError("Failed selecting memory block!");
            return false;
        }
        if (!items[block].binary) {
            loader.ReportError(kNotBinaryImage);
            return false;
        }
        ReportFindings(loader, items[block].warnings, FindingPoint::kFrames);
        for (const FramePlan& frame : items[block].frames) {
            if (!UploadImage(loader, frame, settings.hdmi, buffers)) {
                loader.ReportError(FailedToLoad(frame.file.path));
                return false;
            }
            progress.FrameSent(static_cast<uint64_t>(frame.file.size));
        }
    }
    loader.ReportInfo("Image upload succeeded!");
    return true;
}
