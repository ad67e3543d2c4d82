#include "upload/wave_reader.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "files/paths.h"
#include "kernels/audio_kernels.h"

namespace {

constexpr const char* kNotWave = "the file is not a RIFF/RIFX WAVE file";
constexpr const char* kShortHeader = "the file ends inside its WAV header";
constexpr const char* kNotExtensiblePcm = "format tag 65534 (extensible) holds no PCM sub-format";

constexpr uint16_t kTagExtensible = 0xFFFE;
// The extensible fmt body: the plain 16 bytes, a size, valid bits, a channel mask and
// the 16-byte sub-format GUID that ends it.
constexpr uint32_t kExtensibleFmtBytes = 40;
constexpr size_t kGuidBytes = 16;
// The PCM sub-format GUID 00000001-0000-0010-8000-00AA00389B71 as files store it.
constexpr uint8_t kPcmSubFormat[kGuidBytes] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                               0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// File offset of the fmt body.
constexpr uint64_t kFmtBodyOffset = 20;

uint32_t Read32(const uint8_t* p, bool big) {
    if (big) return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t Read16(const uint8_t* p, bool big) {
    return static_cast<uint16_t>(big ? (p[0] << 8 | p[1]) : (p[0] | p[1] << 8));
}

// Chunks looked at when searching for the samples; real files have a handful.
constexpr int kMaxWaveChunks = 64;

bool HasId(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

bool Refuse(std::string* why, std::string text) {
    if (why) *why = std::move(text);
    return false;
}

// The sub-format of an extensible header is only known once the rest of fmt is read.
bool MayBePcm(const WaveHeader& header) {
    if (header.formatTag == 0 || header.formatTag == 1) return true;
    return header.formatTag == kTagExtensible && !header.bigEndian &&
           header.fmtSize >= kExtensibleFmtBytes;
}

// The sample container of a frame: block align split evenly over the channels.
constexpr uint16_t kMaxSampleBytes = 4;

// A frame is read as `channels` samples of block align / channels bytes each, so the
// block align must split into whole samples of 1 to 4 bytes that hold the bits; a
// record holds at most 8 channels. Anything else would be converted into noise.
bool CheckFrameSize(const WaveHeader& header, std::string* why) {
    const std::string align = std::to_string(header.blockAlign);
    const std::string channels = std::to_string(header.channels);
    if (header.channels == 0 || header.bitsPerSample == 0 || header.blockAlign == 0) {
        return Refuse(why, channels + " channels of " + std::to_string(header.bitsPerSample) +
                               " bits with block align " + align + " give no frame size");
    }
    const uint32_t needed = (header.bitsPerSample + 7u) / 8u * header.channels;
    if (header.blockAlign < needed) {
        return Refuse(why, "block align " + align + " is smaller than one frame of " +
                               std::to_string(needed) + " bytes");
    }
    if (header.channels > kMaxWaveChannels) {
        return Refuse(why, channels + " channels are more than the " +
                               std::to_string(kMaxWaveChannels) + " a device record holds");
    }
    if (WaveSampleBytes(header.blockAlign, header.channels) == 0) {
        return Refuse(why, "block align " + align + " does not split into " + channels +
                               " samples of 1 to 4 bytes");
    }
    return true;
}

}  // namespace

uint16_t WaveSampleBytes(uint16_t blockAlign, uint16_t channels) {
    if (channels == 0 || channels > kMaxWaveChannels || blockAlign % channels != 0) return 0;
    const uint16_t bytes = static_cast<uint16_t>(blockAlign / channels);
    return bytes >= 1 && bytes <= kMaxSampleBytes ? bytes : 0;
}

namespace {

bool CheckSubFormat(const WaveByteReader& read, uint64_t fileSize, const WaveHeader& header,
                    std::string* why) {
    if (header.formatTag != kTagExtensible) return true;
    const uint64_t at = kFmtBodyOffset + header.fmtSize - kGuidBytes;
    uint8_t guid[kGuidBytes];
    if (at + kGuidBytes > fileSize || !read(at, guid, kGuidBytes)) {
        return Refuse(why, kShortHeader);
    }
    if (std::memcmp(guid, kPcmSubFormat, kGuidBytes) != 0) return Refuse(why, kNotExtensiblePcm);
    return true;
}

bool LocateWaveData(const WaveByteReader& read, uint64_t fileSize, WaveHeader& header) {
    const uint64_t first = header.dataOffset - kWaveChunkHeaderBytes;
    uint8_t chunk[kWaveChunkHeaderBytes];
    uint8_t firstChunk[kWaveChunkHeaderBytes];
    if (first + kWaveChunkHeaderBytes > fileSize || !read(first, firstChunk, sizeof firstChunk)) {
        return false;
    }
    uint64_t offset = first;
    for (int i = 0; i < kMaxWaveChunks; ++i) {
        if (offset + kWaveChunkHeaderBytes > fileSize || !read(offset, chunk, sizeof chunk)) break;
        if (HasId(chunk, "data")) {
            header.dataOffset = offset + kWaveChunkHeaderBytes;
            ParseWaveDataChunk(chunk, fileSize, header);
            return true;
        }
        const uint64_t size = Read32(chunk + 4, header.bigEndian);
        offset += kWaveChunkHeaderBytes + size + (size & 1);  // chunks are padded to even sizes
    }
    ParseWaveDataChunk(firstChunk, fileSize, header);
    return true;
}

}  // namespace

uint16_t WaveDeviceBits(const WaveHeader& header) {
    return static_cast<uint16_t>(8 * std::min<uint16_t>(header.sampleBytes, 3));
}

uint64_t AudioDeviceDataSize(uint32_t channels, uint32_t frames) {
    return uint64_t{kAudioWordBytes} * AudioRecordWords(channels) * frames + 4;
}

bool ParseWaveFormat(const uint8_t* head, WaveHeader& header, std::string* why) {
    header = WaveHeader{};
    if (HasId(head, "RIFX")) {
        header.bigEndian = true;
    } else if (!HasId(head, "RIFF")) {
        return Refuse(why, kNotWave);
    }
    if (!HasId(head + 8, "WAVE") || !HasId(head + 12, "fmt ")) return Refuse(why, kNotWave);
    const bool big = header.bigEndian;
    header.fmtSize = Read32(head + 16, big);
    header.formatTag = Read16(head + 20, big);
    header.channels = Read16(head + 22, big);
    header.sampleRate = Read32(head + 24, big);
    header.blockAlign = Read16(head + 32, big);
    header.bitsPerSample = Read16(head + 34, big);
    if (!MayBePcm(header)) {
        if (header.formatTag == kTagExtensible) return Refuse(why, kNotExtensiblePcm);
        return Refuse(why, "format tag " + std::to_string(header.formatTag) + " is not PCM");
    }
    if (!CheckFrameSize(header, why)) return false;
    header.sampleBytes = static_cast<uint16_t>(header.blockAlign / header.channels);
    const uint64_t extra = header.fmtSize > 16 ? header.fmtSize - 16 : 0;
    header.dataOffset = kWaveFormatBytes + extra + kWaveChunkHeaderBytes;
    return true;
}

void ParseWaveDataChunk(const uint8_t* chunk, uint64_t fileSize, WaveHeader& header) {
    // A header must not promise more samples than the file holds.
    const uint64_t available = fileSize > header.dataOffset ? fileSize - header.dataOffset : 0;
    const uint64_t declared = Read32(chunk + 4, header.bigEndian);
    const uint64_t frameBytes = header.blockAlign;
    const uint64_t frames = frameBytes == 0 ? 0 : std::min(declared, available) / frameBytes;
    header.frames = static_cast<uint32_t>(frames);
    header.dataSize = static_cast<uint32_t>(frames * frameBytes);
}

bool ReadWaveChunks(const WaveByteReader& read, uint64_t fileSize, WaveHeader& header,
                    std::string* why) {
    if (!CheckSubFormat(read, fileSize, header, why)) return false;
    if (!LocateWaveData(read, fileSize, header)) return Refuse(why, kShortHeader);
    return true;
}

bool ParseWaveHeader(const uint8_t* data, size_t size, WaveHeader& header, std::string* why) {
    if (size < kWaveFormatBytes) {
        // Too short to tell: a file that does not even start like one is no WAV at all.
        const bool riff = size >= 4 && (HasId(data, "RIFF") || HasId(data, "RIFX"));
        return Refuse(why, riff ? kShortHeader : kNotWave);
    }
    if (!ParseWaveFormat(data, header, why)) return false;
    const WaveByteReader read = [data](uint64_t offset, uint8_t* out, size_t count) {
        std::memcpy(out, data + offset, count);
        return true;
    };
    return ReadWaveChunks(read, size, header, why);
}

bool WaveReader::open(const std::string& path) {
    valid_ = false;
    header_ = WaveHeader{};
    problem_.clear();
    const int64_t size = fileSize(path);
    if (size >= 0) file_.reset(openFile(path, "rb"));
    if (size < 0 || !file_) return Refuse(&problem_, kFileCannotBeOpened);
    uint8_t head[kWaveFormatBytes];
    const size_t got = std::fread(head, 1, sizeof head, file_.get());
    if (got != sizeof head) return ParseWaveHeader(head, got, header_, &problem_);
    WaveHeader header;
    if (!ParseWaveFormat(head, header, &problem_)) return false;
    std::FILE* file = file_.get();
    const WaveByteReader read = [file](uint64_t offset, uint8_t* out, size_t count) {
        return offset <= LONG_MAX && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fread(out, 1, count, file) == count;
    };
    if (!ReadWaveChunks(read, static_cast<uint64_t>(size), header, &problem_)) return false;
    if (header.dataOffset > LONG_MAX ||
        std::fseek(file, static_cast<long>(header.dataOffset), SEEK_SET) != 0) {
        return Refuse(&problem_, kFileCannotBeRead);
    }
    header_ = header;
    valid_ = true;
    return true;
}

uint64_t WaveReader::deviceDataSize() const {
    return valid_ ? AudioDeviceDataSize(header_.channels, header_.frames) : 0;
}

size_t WaveReader::readSamples(uint8_t* destination, size_t size) {
    if (!valid_ || size == 0) return 0;
    return std::fread(destination, 1, size, file_.get());
}
