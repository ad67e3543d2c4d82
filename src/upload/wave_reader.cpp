#include "upload/wave_reader.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "scenario/paths.h"

namespace {

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

// Bytes of one frame as the frame count divides them; 0 when it has no size.
uint32_t FrameBytes(const WaveHeader& header) {
    return uint32_t{header.bitsPerSample} * header.channels / 8;
}

}  // namespace

uint32_t AudioRecordWords(uint32_t channels) {
    return channels <= 2 ? 2 : 8;
}

uint64_t AudioDeviceDataSize(uint32_t channels, uint32_t frames) {
    return uint64_t{4} * AudioRecordWords(channels) * frames + 4;
}

bool ParseWaveFormat(const uint8_t* head, WaveHeader& header) {
    header = WaveHeader{};
    if (HasId(head, "RIFX")) {
        header.bigEndian = true;
    } else if (!HasId(head, "RIFF")) {
        return false;
    }
    if (!HasId(head + 8, "WAVE") || !HasId(head + 12, "fmt ")) return false;
    const bool big = header.bigEndian;
    header.fmtSize = Read32(head + 16, big);
    header.formatTag = Read16(head + 20, big);
    header.channels = Read16(head + 22, big);
    header.sampleRate = Read32(head + 24, big);
    header.blockAlign = Read16(head + 32, big);
    header.bitsPerSample = Read16(head + 34, big);
    if (header.formatTag != 0 && header.formatTag != 1) return false;
    // The conversion places a file's frames inside the records they become, so a
    // frame without a size, or one wider than its record, cannot be converted safely.
    if (FrameBytes(header) == 0 || header.blockAlign == 0) return false;
    if (header.blockAlign > 4 * AudioRecordWords(header.channels)) return false;
    const uint64_t extra = header.fmtSize > 16 ? header.fmtSize - 16 : 0;
    header.dataOffset = kWaveFormatBytes + extra + kWaveChunkHeaderBytes;
    return true;
}

void ParseWaveDataChunk(const uint8_t* chunk, uint64_t fileSize, WaveHeader& header) {
    // A header must not promise more samples than the file holds.
    const uint64_t available = fileSize > header.dataOffset ? fileSize - header.dataOffset : 0;
    const uint64_t declared = Read32(chunk + 4, header.bigEndian);
    const uint64_t frameBytes = FrameBytes(header);
    const uint64_t frames = std::min(declared, available) / frameBytes;
    header.frames = static_cast<uint32_t>(frames);
    header.dataSize = static_cast<uint32_t>(frames * frameBytes);
}

bool LocateWaveData(const WaveChunkReader& read, uint64_t fileSize, WaveHeader& header) {
    const uint64_t first = header.dataOffset - kWaveChunkHeaderBytes;
    uint8_t chunk[kWaveChunkHeaderBytes];
    uint8_t firstChunk[kWaveChunkHeaderBytes];
    if (first + kWaveChunkHeaderBytes > fileSize || !read(first, firstChunk)) return false;
    uint64_t offset = first;
    for (int i = 0; i < kMaxWaveChunks; ++i) {
        if (offset + kWaveChunkHeaderBytes > fileSize || !read(offset, chunk)) break;
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

bool ParseWaveHeader(const uint8_t* data, size_t size, WaveHeader& header) {
    if (size < kWaveFormatBytes || !ParseWaveFormat(data, header)) return false;
    const WaveChunkReader read = [data](uint64_t offset, uint8_t* chunk) {
        std::memcpy(chunk, data + offset, kWaveChunkHeaderBytes);
        return true;
    };
    return LocateWaveData(read, size, header);
}

bool WaveReader::open(const std::string& path) {
    valid_ = false;
    header_ = WaveHeader{};
    const int64_t size = fileSize(path);
    if (size < 0) return false;
    file_.reset(openFile(path, "rb"));
    if (!file_) return false;
    uint8_t head[kWaveFormatBytes];
    if (std::fread(head, 1, sizeof head, file_.get()) != sizeof head) return false;
    WaveHeader header;
    if (!ParseWaveFormat(head, header)) return false;
    std::FILE* file = file_.get();
    const WaveChunkReader read = [file](uint64_t offset, uint8_t* chunk) {
        return offset <= LONG_MAX && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fread(chunk, 1, kWaveChunkHeaderBytes, file) == kWaveChunkHeaderBytes;
    };
    if (!LocateWaveData(read, static_cast<uint64_t>(size), header)) return false;
    if (header.dataOffset > LONG_MAX ||
        std::fseek(file, static_cast<long>(header.dataOffset), SEEK_SET) != 0) {
        return false;
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
