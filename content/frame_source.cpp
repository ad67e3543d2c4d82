#include "frame_source.h"

#include <cstring>

#include "console.h"
#include "files/paths.h"
#include "png_input.h"
#include "upload/frame_sequence.h"

namespace {

std::string Size(uint32_t width, uint32_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

std::string FrameSource::Open(const std::string& input) {
    input_ = input;
    std::vector<std::string> files = ExpandFileSequence(input);
    // A name with digits also stands for its sequence when that file itself is missing.
    const std::string first = fileExists(input) ? input : files.empty() ? "" : files.front();
    if (first.empty()) return DoesNotExist(input);
    FilePtr file(openFile(first, "rb"));
    char magic[kY4mMagicBytes] = {};
    const size_t read = file ? std::fread(magic, 1, sizeof magic, file.get()) : 0;
    if (!file || read == 0) return first + ": " + kFileCannotBeRead;
    if (read == sizeof magic && std::memcmp(magic, kY4mMagic, sizeof magic) == 0) {
        y4m_ = true;
        input_ = first;
        const std::string why = reader_.Open(std::move(file));
        if (!why.empty()) return first + ": " + why;
        width_ = reader_.Stream().width;
        height_ = reader_.Stream().height;
        const int64_t size = fileSize(first);
        const int64_t header = reader_.HeaderBytes();
        if (size > header && header > 0) {
            known_ = uint64_t(size - header) / reader_.FrameFileBytes();
        }
        return {};
    }
    if (!IsPngSignature(reinterpret_cast<const unsigned char*>(magic), read)) {
        return first + ": the file is neither a PNG nor a Y4M stream";
    }
    if (files.empty()) files = {first};
    return OpenPngs(files);
}

std::string FrameSource::OpenPngs(const std::vector<std::string>& files) {
    pngs_ = files;
    const std::string why = ReadPng(pngs_.front(), first_);
    if (!why.empty()) return pngs_.front() + ": " + why;
    width_ = first_.width;
    height_ = first_.height;
    known_ = pngs_.size();
    return {};
}

FrameSource::Next FrameSource::Read(FramePlanes& picture, std::string& message) {
    if (y4m_) {
        switch (reader_.ReadFrame(picture, message)) {
            case Y4mReader::Next::kFrame:
                return Next::kPicture;
            case Y4mReader::Next::kEnd:
                return Next::kEnd;
            case Y4mReader::Next::kFailed:
                break;
        }
        message = input_ + ": " + message;
        return Next::kFailed;
    }
    if (next_ == pngs_.size()) return Next::kEnd;
    const std::string& path = pngs_[next_];
    if (next_++ == 0) {
        picture = std::move(first_);
        return Next::kPicture;
    }
    const std::string why = ReadPng(path, picture);
    if (!why.empty()) {
        message = path + ": " + why;
        return Next::kFailed;
    }
    if (picture.width != width_ || picture.height != height_) {
        message = path + ": the picture is " + Size(picture.width, picture.height) +
                  ", the sequence's first " + Size(width_, height_);
        return Next::kFailed;
    }
    return Next::kPicture;
}
