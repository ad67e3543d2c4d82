#include "upload/progress.h"

#include <algorithm>
#include <cstdio>

namespace {

// Renewing the text more often would only cost time; a person reads no faster.
constexpr std::chrono::milliseconds kRedrawInterval{100};

struct Unit {
    double size;
    const char* name;
};

Unit UnitFor(uint64_t bytes) {
    if (bytes >= 1000000000) return {1e9, "GB"};
    if (bytes >= 1000000) return {1e6, "MB"};
    return {1e3, "kB"};
}

}  // namespace

std::string ProgressText(uint64_t framesDone, uint64_t frames, uint64_t bytesDone, uint64_t bytes,
                         double seconds) {
    const Unit unit = UnitFor(bytes);
    const double rate = seconds > 0 ? static_cast<double>(bytesDone) / seconds : 0;
    char text[160];
    int length = std::snprintf(text, sizeof text, "Uploading frames %llu/%llu, %.1f of %.1f %s",
                               static_cast<unsigned long long>(framesDone),
                               static_cast<unsigned long long>(frames), bytesDone / unit.size,
                               bytes / unit.size, unit.name);
    if (rate > 0 && length > 0 && static_cast<size_t>(length) < sizeof text) {
        const double left = static_cast<double>(bytes > bytesDone ? bytes - bytesDone : 0) / rate;
        std::snprintf(text + length, sizeof text - length, ", %.0f MB/s, %.0f s left", rate / 1e6,
                      left);
    }
    return text;
}

UploadProgress::UploadProgress(uint64_t frames, uint64_t bytes)
    : enabled_(frames > 0 && ConsoleIsTerminal()),
      frames_(frames),
      bytes_(bytes),
      start_(Clock::now()),
      drawn_(start_) {}

void UploadProgress::Hide() {
    if (!shown_) return;
    const std::string blank(text_.size(), ' ');
    std::fprintf(stderr, "\r%s\r", blank.c_str());
    std::fflush(stderr);
    shown_ = false;
}

void UploadProgress::FrameSent(uint64_t bytes) {
    ++framesDone_;
    bytesDone_ += bytes;
    if (!enabled_) return;
    const Clock::time_point now = Clock::now();
    // Redrawing a line in place for every frame would flood a slow terminal; one that a
    // console line took off the screen must stand below it at once, to be seen at all.
    const bool inPlace = shown_ && framesDone_ < frames_;
    if (inPlace && now - drawn_ < kRedrawInterval) return;
    const std::chrono::duration<double> elapsed = now - start_;
    std::string text = ProgressText(framesDone_, frames_, bytesDone_, bytes_, elapsed.count());
    if (shown_ && text == text_) return;
    // Drawn in place, a shorter text also blanks the end of the longer one.
    const size_t width = shown_ ? std::max(text.size(), text_.size()) : text.size();
    text_ = std::move(text);
    drawn_ = now;
    Show(width);
}

void UploadProgress::Show(size_t width) {
    std::fprintf(stderr, "\r%-*s", static_cast<int>(width), text_.c_str());
    std::fflush(stderr);
    shown_ = true;
}
