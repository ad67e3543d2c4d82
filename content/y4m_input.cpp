#include "y4m_input.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <new>

#include "files/text.h"
#include "format/ycbcr.h"
#include "values.h"

namespace {

constexpr size_t kMaxHeaderBytes = 4096;
constexpr char kFrameTag[] = "FRAME";

struct Y4mColorSpace {
    const char* tag;
    unsigned bits;
    bool mono;
};
constexpr Y4mColorSpace kColorSpaces[] = {
    {"444", 8, false},     {"444p10", 10, false}, {"444p12", 12, false},
    {"444p16", 16, false}, {"mono", 8, true},
};
// Without a C parameter a stream is 4:2:0, as the format defines.
constexpr const char* kDefaultColorSpace = "420jpeg";

// Full-range samples (ffmpeg writes grey as such) moved into the limited range the frames
// hold: luma onto 16..235, chroma onto 16..240 around its zero, scaled to the depth.
void ToLimitedRange(FramePlanes& picture, unsigned planes) {
    const double scale = std::ldexp(1.0, static_cast<int>(picture.bits) - 8);
    const double max = std::ldexp(1.0, static_cast<int>(picture.bits)) - 1.0;
    const double half = std::ldexp(1.0, static_cast<int>(picture.bits) - 1);
    std::vector<uint16_t> luma(size_t{1} << picture.bits), chroma(luma.size());
    for (size_t v = 0; v < luma.size(); ++v) {
        const double value = static_cast<double>(v);
        luma[v] = static_cast<uint16_t>(
            std::lround((kLimitedBlack + kLimitedLumaSpan * value / max) * scale));
        chroma[v] = static_cast<uint16_t>(
            std::lround(kChromaZero * scale + kLimitedChromaSpan * scale * (value - half) / max));
    }
    for (unsigned c = 0; c < planes; ++c) {
        const std::vector<uint16_t>& table = c == 0 ? luma : chroma;
        for (uint16_t& sample : picture.plane[c]) {
            sample = table[std::min<size_t>(sample, table.size() - 1)];
        }
    }
}

std::string ColorSpaceProblem(const std::string& tag) {
    if (tag.rfind("420", 0) == 0 || tag.rfind("422", 0) == 0) {
        return "the Y4M is " + tag.substr(0, 1) + ":" + tag.substr(1, 1) + ":" + tag.substr(2, 1) +
               " (C" + tag +
               "), whose layout on the device is not known here; make it 4:4:4 with ffmpeg's "
               "-pix_fmt yuv444p10le -strict -1";
    }
    return "the Y4M colour space C" + tag + " is not one of 444, 444p10, 444p12, 444p16, mono";
}

bool Dimension(const std::string& text, uint32_t& value) {
    return ParseWhole(text, 65535, value) && value > 0;
}

bool Rate(const std::string& text, FrameRate& rate) {
    const size_t colon = text.find(':');
    uint32_t numerator = 0, denominator = 0;
    if (colon == std::string::npos || !ParseWhole(text.substr(0, colon), UINT32_MAX, numerator) ||
        !ParseWhole(text.substr(colon + 1), UINT32_MAX, denominator) || denominator == 0) {
        return false;
    }
    rate = {numerator, denominator};
    return true;
}

}  // namespace

bool Y4mReader::ReadLine(std::string& line, size_t maxBytes) {
    line.clear();
    for (int c = std::fgetc(file_.get()); c != '\n'; c = std::fgetc(file_.get())) {
        if (c == EOF || line.size() >= maxBytes) return false;
        line.push_back(static_cast<char>(c));
    }
    return true;
}

std::string Y4mReader::Open(FilePtr file) {
    file_ = std::move(file);
    std::string header;
    if (!ReadLine(header, kMaxHeaderBytes)) return "the Y4M header has no end";
    headerBytes_ = std::ftell(file_.get());
    std::string colorSpace = kDefaultColorSpace;
    for (const std::string& token : splitPieces(header, ' ')) {
        if (token.empty()) continue;
        const std::string value = token.substr(1);
        bool ok = true;
        switch (token[0]) {
            case 'W':
                ok = Dimension(value, stream_.width);
                break;
            case 'H':
                ok = Dimension(value, stream_.height);
                break;
            case 'F':
                ok = Rate(value, stream_.rate);
                break;
            case 'C':
                colorSpace = value;
                break;
            case 'X':
                if (value == "COLORRANGE=FULL") stream_.fullRange = true;
                break;
            default:
                break;  // interlacing, aspect and extensions do not change the samples
        }
        if (!ok) return "the Y4M header's " + token + " cannot be read";
    }
    if (stream_.width == 0 || stream_.height == 0) return "the Y4M header gives no size";
    if (uint64_t{stream_.width} * stream_.height > kMaxFramePixels)
        return "the picture is too large";
    for (const Y4mColorSpace& known : kColorSpaces) {
        if (colorSpace == known.tag) {
            stream_.bits = known.bits;
            stream_.mono = known.mono;
            return {};
        }
    }
    return ColorSpaceProblem(colorSpace);
}

uint64_t Y4mReader::FrameFileBytes() const {
    const uint64_t planes = stream_.mono ? 1 : 3;
    return sizeof kFrameTag + planes * stream_.width * stream_.height * (stream_.bits > 8 ? 2 : 1);
}

Y4mReader::Next Y4mReader::ReadFrame(FramePlanes& picture, std::string& why) {
    std::string line;
    if (!ReadLine(line, kMaxHeaderBytes)) {
        if (line.empty() && std::feof(file_.get())) return Next::kEnd;
        why = "a FRAME line has no end";
        return Next::kFailed;
    }
    if (line.rfind(kFrameTag, 0) != 0) {
        why = "a frame does not begin with FRAME";
        return Next::kFailed;
    }
    picture.width = stream_.width;
    picture.height = stream_.height;
    picture.bits = stream_.bits;
    picture.kind = SampleKind::kYcbcr;
    const size_t pixels = picture.Pixels();
    const unsigned planes = stream_.mono ? 1 : 3;
    try {
        for (unsigned c = 0; c < 3; ++c) picture.plane[c].resize(pixels);
        if (stream_.bits == 8) bytes_.resize(pixels);
    } catch (const std::bad_alloc&) {
        why = "the picture is too large for the memory";
        return Next::kFailed;
    }
    for (unsigned c = 0; c < planes; ++c) {
        uint16_t* plane = picture.plane[c].data();
        bool read = false;
        if (stream_.bits == 8) {
            read = std::fread(bytes_.data(), 1, pixels, file_.get()) == pixels;
            for (size_t i = 0; read && i < pixels; ++i) plane[i] = bytes_[i];
        } else {
            // Little-endian words, as the planes hold them on this machine.
            read = std::fread(plane, 2, pixels, file_.get()) == pixels;
            if constexpr (std::endian::native == std::endian::big) {
                for (size_t i = 0; read && i < pixels; ++i)
                    plane[i] = static_cast<uint16_t>(plane[i] << 8 | plane[i] >> 8);
            }
        }
        if (!read) {
            why = "a frame is cut short";
            return Next::kFailed;
        }
    }
    if (stream_.fullRange) ToLimitedRange(picture, planes);
    for (unsigned c = planes; c < 3; ++c) {
        picture.plane[c].assign(pixels, static_cast<uint16_t>(128u << (stream_.bits - 8)));
    }
    return Next::kFrame;
}
