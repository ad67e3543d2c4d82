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
#include "upload/checks.h"
#include "upload/frame_format_table.h"
#include "upload/frame_sequence.h"
#include "upload/loader.h"
#include "upload/memory_layout.h"
#include "upload/progress.h"

namespace {

// How one frame file is sent, decided from its size before anything is read.
struct FramePlan {
    ColorClass colorClass = ColorClass::kNone;
    uint32_t width = 0;
    uint32_t height = 0;
    uint64_t fileBytes = 0;
    uint32_t bpp = 0;    // bytes per pixel as sent
    uint32_t bytes = 0;  // bytes sent
    bool widen = false;  // 3 bytes per pixel in the file, 4 sent
    uint32_t code = 0;
    unsigned shift = 0;  // deep-colour alignment of 16-bit samples
};

std::string sizeMessage(uint64_t size, uint32_t width, uint32_t height, uint64_t bpp) {
    return "Not expected image size " + std::to_string(size) + " for " + std::to_string(width) +
           "x" + std::to_string(height) + ", Bpp = " + std::to_string(bpp);
}

std::string beyondFrameReservation(const std::string& path, const FramePlan& plan) {
    return fileName(path) + ": a frame of " + std::to_string(plan.width) + "x" +
           std::to_string(plan.height) + " needs a memory block beyond 4 GiB.";
}

bool isWholeFrameBpp(uint64_t bpp) {
    return bpp == 3 || bpp == 4 || bpp == 6;
}

// Plans the frame from its file's size (known); the returned text is the reason it cannot
// be sent, empty when it can.
std::string planFrame(const SequenceFile& file, const std::string& format,
                      const ScenarioSettings& settings, FramePlan& plan) {
    const auto size = static_cast<uint64_t>(file.size);
    plan.colorClass = DecideColorClass(format, settings.colorspace);
    plan.width = settings.timing.hactive;
    plan.height = settings.timing.vactive;
    plan.fileBytes = size;
    if (plan.width == 0 || plan.height == 0) return sizeMessage(size, plan.width, plan.height, 0);
    const uint64_t pixels = uint64_t{plan.width} * plan.height;
    const uint64_t fileBpp = size / plan.width / plan.height;
    const bool yuv420 = plan.colorClass == ColorClass::kYuv420;
    // The product is compared in 32 bits; it never exceeds the real size, so a
    // wrapped product can only fail the check, never pass it.
    if (!yuv420 && (static_cast<uint32_t>(pixels * fileBpp) != size || !isWholeFrameBpp(fileBpp))) {
        return sizeMessage(size, plan.width, plan.height, fileBpp);
    }
    plan.widen = fileBpp == 3 && !yuv420;
    plan.bpp = plan.widen ? 4 : static_cast<uint32_t>(fileBpp > 6 ? 0 : fileBpp);
    plan.code = PixelFormatCode(plan.colorClass, plan.bpp);
    if (plan.code == 0) {
        return "Unsupported frame format " + (format.empty() ? settings.colorspace : format) +
               ", Bpp = " + std::to_string(fileBpp);
    }
    const uint64_t sent = pixels * plan.bpp;
    // One item write carries at most 4 GiB - 1.
    if (sent > UINT32_MAX) return sizeMessage(size, plan.width, plan.height, fileBpp);
    plan.bytes = static_cast<uint32_t>(sent);
    // Whatever the file holds, its block reserves a full frame of the timing for it.
    if (FrameReservation(settings.timing) > kMaxFrameReservation) {
        return beyondFrameReservation(file.path, plan);
    }
    return {};
}

std::string cannotOpen(const std::string& path) {
    return "Cannot open " + path;
}

// Pixels per piece where the file is read rather than mapped: a piece's bytes are
// still in the core's cache when they are converted. A multiple of 4, so every piece
// starts on a whole pixel and a whole 16-bit word at any Bpp.
constexpr size_t kStepPixels = 16 * 1024;

PixelSteps pixelSteps(const FramePlan& plan) {
    PixelSteps steps;
    steps.widen = plan.widen;
    steps.bpp = plan.widen ? 3 : plan.bpp;
    steps.reorder = plan.colorClass == ColorClass::kYuv444;
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
    return readFilePieces(path, plan.fileBytes, steps.bpp * kStepPixels, scratch, convert);
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

ColorClass DecideColorClass(const std::string& format, const std::string& colorspace) {
    const ColorSpace space = ParseColorSpace(colorspace);
    const ColorFamily family = ColorFamilyOf(format);
    if (format.empty() ? space == ColorSpace::kRgb444 : family == ColorFamily::kRgb) {
        return ColorClass::kRgb;
    }
    if ((format.empty() || family == ColorFamily::kYuv) && space == ColorSpace::kYuv444) {
        return ColorClass::kYuv444;
    }
    if (space == ColorSpace::kYuv422) return ColorClass::kYuv422;
    if (space == ColorSpace::kYuv420) return ColorClass::kYuv420;
    return ColorClass::kNone;
}

uint32_t PixelFormatCode(ColorClass colorClass, uint32_t bpp) {
    switch (colorClass) {
        case ColorClass::kRgb:
        case ColorClass::kYuv444:
            return bpp == 4 ? 2 : bpp == 6 ? 1 : 0;
        case ColorClass::kYuv422:
            return 0x201;
        case ColorClass::kYuv420:
            return bpp == 3 ? 0x312 : bpp == 1 ? 0x310 : 0;
        case ColorClass::kNone:
            break;
    }
    return 0;
}

std::string FrameLabel(const std::string& format, const ScenarioSettings& settings) {
    if (!contains(format, "10") && !contains(format, "12") && !settings.align12) return format;
    if (!format.empty()) return "Configured: " + format;
    return "Settings: " + settings.colorspace + " " + std::to_string(settings.bitspercolor) +
           " bits";
}

unsigned DeepColorShift(const std::string& label) {
    if (contains(label, "10")) return 6;
    if (contains(label, "12")) return 4;
    return 0;
}

std::string FailedToLoad(const std::string& path) {
    return "Failed to load " + path;
}

std::string CheckFrame(const SequenceFile& file, const std::string& format,
                       const ScenarioSettings& settings) {
    if (file.size < 0) return cannotOpen(file.path);
    FramePlan plan;
    return planFrame(file, format, settings, plan);
}

std::string ReadSentFrame(const SequenceFile& file, const std::string& format,
                          const ScenarioSettings& settings, FrameBuffers& buffers,
                          SentFrame& frame) {
    const std::string& path = file.path;
    if (file.size < 0) return cannotOpen(path);
    FramePlan plan;
    std::string problem = planFrame(file, format, settings, plan);
    if (!problem.empty()) return problem;
    frame.label = FrameLabel(format, settings);
    plan.shift = DeepColorShift(frame.label);
    uint8_t* data = nullptr;
    if (!readFrame(path, plan, buffers, data)) {
        // The file is opened only here, so a file that cannot be opened at all shows now.
        return fileSize(path) < 0 ? cannotOpen(path) : "Cannot read " + path;
    }
    frame.colorClass = plan.colorClass;
    frame.width = plan.width;
    frame.height = plan.height;
    frame.bpp = plan.bpp;
    frame.code = plan.code;
    frame.data = data;
    frame.bytes = plan.bytes;
    return {};
}

bool UploadImage(DataLoaderBase& loader, const SequenceFile& file, const std::string& format,
                 const ScenarioSettings& settings, FrameBuffers& buffers) {
    SentFrame frame;
    const std::string problem = ReadSentFrame(file, format, settings, buffers, frame);
    if (!problem.empty()) {
        loader.ReportError(problem);
        return false;
    }
    const bool sent = SendImage(frame.width, frame.height, frame.code, frame.data, frame.bytes);
    SetImageSize(settings.hdmi, frame.width, frame.height);
    const std::string name = fileName(file.path);
    if (sent) {
        loader.ReportInfo(name + ": " + std::to_string(frame.bpp) + " Bpp " + frame.label);
    } else {
        loader.ReportInfo(name + ": Not loaded");
    }
    return sent;
}

FormatTable VideoFormatTable(const std::vector<std::string>& items) {
    if (items.empty()) return {};
    return readFormatTable(SiblingPath(items.front(), "formats.cfg"));
}

namespace {

UploadProgress ProgressOf(const ItemFrames& frames) {
    uint64_t count = 0;
    uint64_t bytes = 0;
    for (const std::vector<SequenceFile>& item : frames) {
        count += item.size();
        for (const SequenceFile& file : item) bytes += file.size < 0 ? 0 : file.size;
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
                     const ScenarioFiles& found) {
    const std::vector<std::string>& items = found.videoItems;
    if (items.empty()) {
        upload.ReportError("Failed parsing video path!");
        return false;
    }
    const FormatTable formats = VideoFormatTable(items);
    FrameBuffers buffers;
    UploadProgress progress = ProgressOf(found.frames);
    ReportsBesideProgress loader(upload, progress);
    for (uint32_t block = 0; block < items.size(); ++block) {
        if (!SelectMemoryBlock(block)) {
            loader.ReportError("Failed selecting memory block!");
            return false;
        }
        if (!IsBinaryImagePath(items[block])) {
            loader.ReportError(kNotBinaryImage);
            return false;
        }
        for (const SequenceFile& file : found.frames[block]) {
            const std::string& format = FormatOf(formats, fileName(file.path));
            if (!UploadImage(loader, file, format, settings, buffers)) {
                loader.ReportError(FailedToLoad(file.path));
                return false;
            }
            progress.FrameSent(static_cast<uint64_t>(file.size));
        }
    }
    loader.ReportInfo("Image upload succeeded!");
    return true;
}
