#include "upload/wave_samples.h"

#include <algorithm>
#include <cstring>

#include "files/file_pieces.h"
#include "kernels/audio_kernels.h"
#include "upload/audio.h"
#include "upload/wave_reader.h"

namespace {

// Frames read at a time where the file is read rather than mapped: a piece is still
// in the core's cache when it is converted.
constexpr uint32_t kPieceFrames = 16 * 1024;
// The device data ends in 4 bytes that hold the last 4 bytes of the samples.
constexpr size_t kTrailingBytes = 4;
// Sample bytes the trailing bytes come from: the last two samples at most (4-byte
// samples give 3 bytes each; a big-endian file's last 4 reach into the sample before).
constexpr size_t kEndBytes = 8;
// Bytes of a sample the device takes: 4-byte samples give their 3 most significant.
constexpr uint32_t kDeviceSampleBytes = 3;

struct Plan {
    SampleLayout layout;
    uint32_t frames = 0;
    uint64_t inputBytes = 0;  // sample bytes in the file
    size_t recordBytes = 0;
    size_t frameBytes = 0;
};

// Each sample is as wide as its share of the block align; the header reader refuses
// the frames that do not split that way.
bool planSamples(const WaveHeader& header, Plan& plan) {
    const uint32_t sampleBytes = header.sampleBytes;
    if (sampleBytes == 0 || sampleBytes != WaveSampleBytes(header.blockAlign, header.channels)) {
        return false;
    }
    const bool swap = header.bigEndian && sampleBytes > 1;
    plan.layout =
        SampleLayout{header.channels, sampleBytes, AudioRecordWords(header.channels), swap};
    plan.frames = header.frames;
    plan.frameBytes = header.blockAlign;
    plan.recordBytes = static_cast<size_t>(RecordBytes(plan.layout));
    plan.inputBytes = uint64_t{plan.frameBytes} * header.frames;
    return true;
}

// The last sample bytes of the file, kept as each piece arrives, before the conversion
// writes records over any of them.
class SampleEnd {
  public:
    explicit SampleEnd(const Plan& plan) : plan_(plan) {}

    // Keeps the bytes of the piece at `offset` (of `size` bytes) that are among the last.
    void keep(uint64_t offset, const uint8_t* piece, size_t size) {
        const uint64_t first = plan_.inputBytes > kEndBytes ? plan_.inputBytes - kEndBytes : 0;
        for (uint64_t at = std::max(first, offset); at < offset + size; ++at) {
            bytes_[kEndBytes - (plan_.inputBytes - at)] = piece[at - offset];
        }
    }

    // The 4 trailing bytes: the last sample bytes the device takes, as a little-endian
    // file of them holds them (a big-endian file's samples byte-reversed), zero in front
    // of a shorter input.
    void write(uint8_t* trailing) const {
        const uint32_t container = plan_.layout.bytesPerSample;
        const uint32_t kept = std::min(container, kDeviceSampleBytes);
        const uint64_t keptBytes = plan_.inputBytes / container * kept;
        for (size_t i = 0; i < kTrailingBytes; ++i) {
            uint8_t value = 0;
            if (i < keptBytes) {
                const uint64_t t = keptBytes - 1 - i;
                const uint64_t k = t % kept;  // from the least significant byte kept
                const uint64_t within =
                    plan_.layout.bigEndian ? kept - 1 - k : container - kept + k;
                const uint64_t at = t / kept * container + within;
                value = bytes_[kEndBytes - (plan_.inputBytes - at)];
            }
            trailing[kTrailingBytes - 1 - i] = value;
        }
    }

  private:
    const Plan& plan_;
    uint8_t bytes_[kEndBytes] = {};
};

// Reads pieces into the tail of the data, each converted towards the head while it is
// in the cache; the records never reach input that is still to be read.
bool convertRead(const SampleSource& source, const Plan& plan, PageBuffer& data) {
    const size_t tail = data.size() - static_cast<size_t>(plan.inputBytes);
    SampleEnd end(plan);
    for (uint32_t first = 0; first < plan.frames;) {
        const uint32_t count = std::min(plan.frames - first, kPieceFrames);
        const size_t bytes = count * plan.frameBytes;
        uint8_t* input = data.data() + tail + first * plan.frameBytes;
        if (source(input, bytes) != bytes) return false;
        end.keep(uint64_t{first} * plan.frameBytes, input, bytes);
        uint8_t* records = data.data() + first * plan.recordBytes;
        const auto room = static_cast<size_t>(data.data() + data.size() - records);
        if (!ConvertSamplesInPlace(records, room, static_cast<size_t>(input - records), count,
                                   plan.layout)) {
            return false;
        }
        first += count;
    }
    end.write(data.data() + data.size() - kTrailingBytes);
    return true;
}

// Plans the conversion and sizes the data for it; samples of no frames give zeros.
bool sizeData(const WaveHeader& header, Plan& plan, PageBuffer& data) {
    if (!planSamples(header, plan)) return false;
    const uint64_t size = AudioDeviceDataSize(header.channels, header.frames);
    if (size > kMaxAudioDataBytes || !data.resize(static_cast<size_t>(size))) return false;
    if (plan.inputBytes == 0) std::memset(data.data(), 0, data.size());
    return true;
}

}  // namespace

WaveSamples ConvertWaveFile(const std::string& path, WaveReader& reader, PageBuffer& data,
                            bool map) {
    const WaveHeader& header = reader.header();
    Plan plan;
    if (!sizeData(header, plan, data)) return WaveSamples::kFailed;
    if (plan.inputBytes == 0) return WaveSamples::kDone;
    const auto convert = [&plan, &data](uint64_t, const uint8_t* input, size_t bytes) {
        SampleEnd end(plan);
        end.keep(0, input, bytes);
        ConvertSamples(input, data.data(), plan.frames, plan.layout);
        end.write(data.data() + data.size() - kTrailingBytes);
    };
    const MappedRange mapped =
        map ? consumeMappedRange(path, header.dataOffset, plan.inputBytes, false, convert)
            : MappedRange::kNotMapped;
    switch (mapped) {
        case MappedRange::kDone:
            return WaveSamples::kDone;
        case MappedRange::kFailed:
            return WaveSamples::kFailed;
        case MappedRange::kNotMapped:
            break;
    }
    const SampleSource source = [&reader](uint8_t* destination, size_t size) {
        return reader.readSamples(destination, size);
    };
    return convertRead(source, plan, data) ? WaveSamples::kDone : WaveSamples::kFailed;
}

bool BuildWaveAudioData(const WaveHeader& header, const SampleSource& source, PageBuffer& data) {
    Plan plan;
    return sizeData(header, plan, data) && convertRead(source, plan, data);
}
