// The progress of a frame upload for a person at a terminal: one line on standard error,
// rewritten in place. Nothing is shown unless standard output and standard error are both
// terminals (with one of them in a pipe or a file the line would break into the console
// lines there), and the line never reaches the log.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// "Uploading frames 37/240, 1.2 of 7.9 GB, 412 MB/s, 16 s left".
std::string ProgressText(uint64_t framesDone, uint64_t frames, uint64_t bytesDone, uint64_t bytes,
                         double seconds);

bool ConsoleIsTerminal();

class UploadProgress {
  public:
    UploadProgress(uint64_t frames, uint64_t bytes);
    ~UploadProgress() { Hide(); }
    UploadProgress(const UploadProgress&) = delete;
    UploadProgress& operator=(const UploadProgress&) = delete;

    // Takes the line off the screen, so that a console line can be printed in its place.
    void Hide();
    // Counts a frame of `bytes` file bytes as sent. A line off the screen (a console line
    // took its place) is drawn again at once below it, and so is the final count; a line
    // still shown is redrawn at most ten times a second, and only when its text has changed.
    void FrameSent(uint64_t bytes);

  private:
    using Clock = std::chrono::steady_clock;
    void Show(size_t width);

    bool enabled_;
    bool shown_ = false;
    uint64_t frames_;
    uint64_t bytes_;
    uint64_t framesDone_ = 0;
    uint64_t bytesDone_ = 0;
    Clock::time_point start_;
    Clock::time_point drawn_;
    std::string text_;
};
