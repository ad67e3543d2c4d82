#include "upload/frame_plan.h"

#include "files/paths.h"
#include "files/text.h"
#include "format/color_format.h"
#include "scenario/scenario.h"
#include "upload/memory_layout.h"

namespace {

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
std::string planSizes(uint64_t size, const std::string& format, const ScenarioSettings& settings,
                      FramePlan& plan) {
    plan.colorClass = DecideColorClass(format, settings.colorspace);
    plan.width = settings.timing.hactive;
    plan.height = settings.timing.vactive;
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
        return beyondFrameReservation(plan.file.path, plan);
    }
    return {};
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

FramePlan PlanFrame(const SequenceFile& file, const std::string& format,
                    const ScenarioSettings& settings) {
    FramePlan plan;
    plan.file = file;
    if (file.size < 0) {
        plan.problem = CannotOpenFrame(file.path);
        return plan;
    }
    plan.problem = planSizes(static_cast<uint64_t>(file.size), format, settings, plan);
    plan.label = FrameLabel(format, settings);
    plan.shift = DeepColorShift(plan.label);
    plan.reorder = plan.colorClass == ColorClass::kYuv444;
    return plan;
}

FormatTable VideoFormatTable(const std::vector<std::string>& items) {
    if (items.empty()) return {};
    return readFormatTable(SiblingPath(items.front(), "formats.cfg"));
}

std::string FailedToLoad(const std::string& path) {
    return "Failed to load " + path;
}

std::string CannotOpenFrame(const std::string& path) {
    return "Cannot open " + path;
}
