#include "preview/scenario_preview.h"

#include <algorithm>
#include <map>
#include <new>

#include "files/folders.h"
#include "files/paths.h"
#include "preview/frame_picture.h"
#include "preview/picture.h"
#include "preview/png_file.h"
#include "upload/scenario_plan.h"
#include "upload/video.h"

namespace {

constexpr const char* kContactName = "contact.png";
static_assert(kContactSteps <= kPlannedSteps, "the plan keeps the steps the sheet shows");

void CannotWrite(const std::string& path, Findings& report) {
    report.add(FindingKind::kWarning, FindingPoint::kCheckOnly, "Cannot write " + path);
}

// The frames of all video items numbered as the step check counts them, each read and
// converted as the plan has the upload send it.
class FrameSource {
  public:
    explicit FrameSource(const ContentPlan& plan) : plan_(plan) {}

    // Frame k as the upload would send it; null when it does not exist or the plan
    // refuses it: it gets no picture.
    const SentFrame* Read(uint32_t k) {
        const FramePlan* frame = plan_.Frame(k);
        if (frame == nullptr || !ItemIsBinary(k)) return nullptr;
        if (!ReadSentFrame(*frame, buffers_, frame_).empty()) return nullptr;
        grey_ = grey_ || IsShownAsGrey(frame_);
        return &frame_;
    }
    bool AnyGrey() const { return grey_; }

  private:
    bool ItemIsBinary(uint32_t k) const {
        for (const VideoItemPlan& item : plan_.video) {
            if (k < item.frames.size()) return item.binary;
            k -= static_cast<uint32_t>(item.frames.size());
        }
        return false;
    }

    const ContentPlan& plan_;
    FrameBuffers buffers_;
    SentFrame frame_;
    bool grey_ = false;
};

bool IsOwnPreviewFile(const std::string& name) {
    const bool frame = name.size() >= 9 && name.compare(0, 5, "frame") == 0 &&
                       name.compare(name.size() - 4, 4, ".png") == 0;
    return frame || name == kContactName;
}

void RemoveEarlierPreviews(const std::string& folder, Findings& report) {
    for (const std::string& name : folderFileNames(folder)) {
        const std::string path = joinPath(folder, name);
        if (IsOwnPreviewFile(name) && !removeFile(path)) CannotWrite(path, report);
    }
}

// The frame's thumbnail; at full size it is also written to `path` (the full picture is
// made only then).
Picture PreviewFrame(const SentFrame& frame, uint32_t bitsPerColor, bool fullSize,
                     const std::string& path, Picture& picture, Findings& report) {
    if (!fullSize) return SentFrameThumbnail(frame, bitsPerColor, kThumbnailWidth);
    if (!DecodeSentFrame(frame, bitsPerColor, picture)) return {};
    if (!WritePng(path, picture)) CannotWrite(path, report);
    return Thumbnail(picture, kThumbnailWidth);
}

// Thumbnails of the first steps in step order; an empty one where a step's frame has
// no picture.
std::vector<Picture> WriteFrames(const ScenarioPlan& plan, const std::string& folder,
                                 Findings& report, bool& grey) {
    const std::vector<PlayingOrderStep>& steps = plan.content.firstSteps;
    const uint32_t bitsPerColor = plan.settings().bitspercolor;
    FrameSource source(plan.content);
    std::map<uint32_t, Picture> thumbnails;
    std::vector<Picture> sheet;
    Picture picture;
    for (size_t i = 0; i < steps.size() && i < kContactSteps; ++i) {
        const uint32_t k = steps[i].frame;
        auto found = thumbnails.find(k);
        if (found == thumbnails.end()) {
            const SentFrame* frame = source.Read(k);
            const std::string path = joinPath(folder, "frame" + std::to_string(k) + ".png");
            found = thumbnails.emplace(k, Picture()).first;
            if (frame != nullptr) {
                found->second =
                    PreviewFrame(*frame, bitsPerColor, i < kFullSizeSteps, path, picture, report);
            }
        }
        sheet.push_back(found->second);
    }
    grey = source.AnyGrey();
    return sheet;
}

// Thumbnails 8 to a row; a cell without a picture stays black. Empty when no step has one.
Picture ContactSheet(const std::vector<Picture>& thumbnails) {
    const auto tile = std::find_if(thumbnails.begin(), thumbnails.end(),
                                   [](const Picture& p) { return p.width != 0; });
    if (tile == thumbnails.end()) return {};
    const size_t columns = std::min(thumbnails.size(), kContactColumns);
    const size_t rows = (thumbnails.size() + kContactColumns - 1) / kContactColumns;
    if (uint64_t{tile->width} * tile->height * columns * rows > kMaxPicturePixels) return {};
    Picture sheet(static_cast<uint32_t>(columns * tile->width),
                  static_cast<uint32_t>(rows * tile->height));
    for (size_t i = 0; i < thumbnails.size(); ++i) {
        Place(sheet, thumbnails[i], static_cast<uint32_t>(i % columns * tile->width),
              static_cast<uint32_t>(i / columns * tile->height));
    }
    return sheet;
}

void WritePreviews(const ScenarioPlan& plan, const std::string& folder, Findings& report) {
    bool grey = false;
    const Picture sheet = ContactSheet(WriteFrames(plan, folder, report, grey));
    const std::string contact = joinPath(folder, kContactName);
    if (sheet.width != 0 && !WritePng(contact, sheet)) CannotWrite(contact, report);
    if (grey) {
        report.add(
            FindingKind::kNote, FindingPoint::kCheckOnly,
            "Preview: YUV 4:2:2 and 4:2:0 frames show the first sample of each pixel as grey; "
            "how the device lays out their components is not known here.");
    }
}

}  // namespace

std::string PreparePreviewFolder(const std::string& folder) {
    if (makeFolders(folder) && canWriteFile(joinPath(folder, ".preview-write-test"))) return {};
    return "Cannot create or write the preview folder " + folder;
}

Findings WriteScenarioPreview(const ScenarioPlan& plan, const std::string& folder, size_t number) {
    Findings report;
    const std::string own = joinPath(folder, "scenario" + std::to_string(number));
    if (!makeFolders(own)) {
        CannotWrite(own, report);
        return report;
    }
    RemoveEarlierPreviews(own, report);
    try {
        if (!plan.settings().path.empty()) WritePreviews(plan, own, report);
    } catch (const std::bad_alloc&) {
        report.add(FindingKind::kWarning, FindingPoint::kCheckOnly,
                   "Not enough memory for the previews in " + own);
    }
    report.add(FindingKind::kNote, FindingPoint::kCheckOnly, "Previews in " + own);
    return report;
}
