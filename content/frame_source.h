// Where the pictures of the frames command come from: one PNG, a numbered PNG sequence
// (name000.png, name001.png, ... counted as the program counts sequences) or a Y4M stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cta_timing.h"
#include "frame_planes.h"
#include "y4m_input.h"

class FrameSource {
  public:
    // Opens the input and reads what it says of its pictures; empty when it can be used,
    // otherwise the message, naming the file.
    std::string Open(const std::string& input);

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    // The Y4M's rate; 0/1 for PNG files, which carry none.
    FrameRate Rate() const { return y4m_ ? reader_.Stream().rate : FrameRate{0, 1}; }
    // How many pictures there are, as far as it is known before they are read.
    uint64_t KnownCount() const { return known_; }

    enum class Next { kPicture, kEnd, kFailed };
    // The next picture; kFailed with the message, naming the file.
    Next Read(FramePlanes& picture, std::string& message);

  private:
    std::string OpenPngs(const std::vector<std::string>& files);

    std::string input_;
    bool y4m_ = false;
    Y4mReader reader_;
    std::vector<std::string> pngs_;
    size_t next_ = 0;
    FramePlanes first_;  // the first PNG, read to learn the size
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    uint64_t known_ = 0;
};
