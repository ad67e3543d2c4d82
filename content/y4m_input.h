// Y4M streams as ffmpeg writes them (-f yuv4mpegpipe): YCbCr 4:4:4 at 8 to 16 bits, or
// luma only; limited range, or full range (XCOLORRANGE=FULL) moved into limited. Read frame by
// frame, so a stream of any length takes one frame of memory.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cta_timing.h"
#include "files/file_ptr.h"
#include "frame_planes.h"

// The text a Y4M stream begins with.
inline constexpr char kY4mMagic[] = "YUV4MPEG2";
inline constexpr size_t kY4mMagicBytes = sizeof kY4mMagic - 1;

struct Y4mStream {
    uint32_t width = 0;
    uint32_t height = 0;
    unsigned bits = 8;
    bool mono = false;
    bool fullRange = false;  // XCOLORRANGE=FULL: read into limited range
    FrameRate rate;          // 0/1 when the header gives none
};

class Y4mReader {
  public:
    // Takes the file, whose first kY4mMagicBytes have been read, and reads the rest of
    // the stream header; empty when it can be used, otherwise why not.
    std::string Open(FilePtr file);
    const Y4mStream& Stream() const { return stream_; }
    // Where the first frame starts; -1 for a stream that cannot tell.
    int64_t HeaderBytes() const { return headerBytes_; }
    // The bytes of one frame with its FRAME line, for counting the frames of a file.
    uint64_t FrameFileBytes() const;

    enum class Next { kFrame, kEnd, kFailed };
    // The next frame as limited-range Y, Cb, Cr planes; kFailed with `why` set.
    Next ReadFrame(FramePlanes& picture, std::string& why);

  private:
    bool ReadLine(std::string& line, size_t maxBytes);

    FilePtr file_;
    Y4mStream stream_;
    int64_t headerBytes_ = -1;
    std::vector<uint8_t> bytes_;
};
