// Reading audio files into the device's audio data.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "files/file_ptr.h"
#include "files/paths.h"
#include "scenario/scenario.h"
#include "upload/audio.h"
#include "upload/audio_kernels.h"
#include "upload/wave_reader.h"
#include "upload/wave_samples.h"

namespace {

// The audio size register is 32 bits wide, so no larger stream can be described.
constexpr uint64_t kMaxAudioDataBytes = UINT32_MAX;

constexpr const char* kUnknownExtension = "the extension is neither wav, wave nor bin";
constexpr const char* kCannotOpen = "the file cannot be opened";
constexpr const char* kNotConverted =
    "the samples cannot be read, or give more audio data than the device takes";

// Zero-filled: what these paths do not read stays silent.
bool SizeBuffer(PageBuffer& data, uint64_t size) {
    if (size > kMaxAudioDataBytes || !data.resize(static_cast<size_t>(size))) return false;
    if (data.size() != 0) std::memset(data.data(), 0, data.size());  // empty: no buffer at all
    return true;
}

uint16_t RawChannels(uint32_t code) {
    switch (code) {
        case 0:
            return 2;
        case 1:
            return 8;
        default:
            return 0;
    }
}

uint32_t RawSampleRate(uint32_t code) {
    switch (code) {
        case 0:
            return 44100;
        case 1:
            return 48000;
        case 2:
            return 96000;
        case 3:
            return 192000;
        default:
            return 0;
    }
}

uint16_t RawBits(uint32_t code) {
    switch (code) {
        case 0:
            return 16;
        case 1:
            return 24;
        case 2:
            return 32;
        default:
            return 0;
    }
}

SampleSource FileSource(std::FILE* file) {
    return [file](uint8_t* destination, size_t size) {
        return size == 0 ? size_t{0} : std::fread(destination, 1, size, file);
    };
}

bool Refuse(std::string& why, std::string text) {
    why = std::move(text);
    return false;
}

bool ReadWaveFile(const std::string& path, PageBuffer& data, AudioFormat& format,
                  std::string& why) {
    WaveReader reader;
    if (!reader.open(path)) return Refuse(why, reader.problem());
    const WaveHeader& header = reader.header();
    format = AudioFormat{header.channels, header.sampleRate, header.bitsPerSample};
    switch (ConvertWaveFile(path, reader, data)) {
        case WaveSamples::kDone:
            return true;
        case WaveSamples::kFailed:
            data.clear();
            return Refuse(why, kNotConverted);
        case WaveSamples::kNotHandled:
            break;
    }
    const SampleSource source = [&reader](uint8_t* destination, size_t size) {
        return reader.readSamples(destination, size);
    };
    return BuildWaveAudioData(header, source, data) || Refuse(why, kNotConverted);
}

bool ReadRawFile(const ScenarioSettings& settings, PageBuffer& data, AudioFormat& format,
                 std::string& why) {
    const std::string problem = RawAudioFormatProblem(settings);
    if (!problem.empty()) return Refuse(why, problem);
    const int64_t size = fileSize(settings.audio);
    FilePtr file;
    if (size >= 0) file.reset(openFile(settings.audio, "rb"));
    if (!file) return Refuse(why, kCannotOpen);
    format = RawAudioFormat(settings);
    return BuildRawAudioData(format, settings.audioswap, static_cast<uint64_t>(size),
                             FileSource(file.get()), data) ||
           Refuse(why, kNotConverted);
}

using Tail = std::array<uint8_t, 4>;

// The 4 bytes after the records keep the end of the file's samples. A big-endian file
// gives them in little-endian order, as the same samples in a RIFF file would, so they
// are taken before the conversion overwrites the start of the last samples.
Tail LittleEndianTail(const uint8_t* samples, size_t bytes, uint32_t sampleBytes, Tail tail) {
    for (size_t i = 0; i < tail.size() && i < bytes; ++i) {
        const size_t at = bytes - 1 - i;
        const size_t within = at % sampleBytes;
        tail[tail.size() - 1 - i] = samples[at - within + sampleBytes - 1 - within];
    }
    return tail;
}

}  // namespace

bool BuildWaveAudioData(const WaveHeader& header, const SampleSource& source, PageBuffer& data) {
    const uint32_t words = AudioRecordWords(header.channels);
    const uint64_t size = AudioDeviceDataSize(header.channels, header.frames);
    if (!SizeBuffer(data, size)) return false;
    const uint32_t sampleBytes = header.bitsPerSample / 8u;
    const uint64_t fileBytes = uint64_t{sampleBytes} * header.channels * header.frames;
    // The samples end where the buffer ends, so every record is written behind the
    // input it comes from. A block align too small for the samples (the header reader
    // refuses one) leaves them unread.
    uint8_t* samples = nullptr;
    size_t got = 0;
    if (fileBytes <= uint64_t{header.blockAlign} * header.frames && fileBytes <= size) {
        samples = data.data() + (size - fileBytes);
        got = source(samples, static_cast<size_t>(fileBytes));
    }
    const bool swap = header.bigEndian && header.bitsPerSample > 8;
    if (header.channels > 8) {
        // No record holds more than 8 channels: the samples stay as read.
        if (swap && samples) ReverseSampleBytes(samples, got, sampleBytes);
        return true;
    }
    const SampleLayout layout{header.channels, sampleBytes, words, swap};
    const uint64_t input = InputFrameBytes(layout) * header.frames;
    uint8_t* end = data.data() + (size - 4);
    Tail tail;
    std::memcpy(tail.data(), end, tail.size());
    if (swap && samples) tail = LittleEndianTail(samples, fileBytes, sampleBytes, tail);
    if (!ConvertSamplesInPlace(data.data(), data.size(), static_cast<size_t>(size - input),
                               header.frames, layout)) {
        return false;
    }
    std::memcpy(end, tail.data(), tail.size());
    return true;
}

AudioFormat RawAudioFormat(const ScenarioSettings& settings) {
    return AudioFormat{RawChannels(settings.audiochannels), RawSampleRate(settings.audiosampling),
                       RawBits(settings.audiobits)};
}

std::string RawAudioFormatProblem(const ScenarioSettings& settings) {
    const AudioFormat format = RawAudioFormat(settings);
    if (format.channels == 0) {
        return "audiochannels code " + std::to_string(settings.audiochannels) +
               " gives no channel count";
    }
    if (format.sampleRate == 0) {
        return "audiosampling code " + std::to_string(settings.audiosampling) +
               " gives no sample rate";
    }
    if (format.bitsPerSample != 16 && format.bitsPerSample != 24) {
        return "audiobits code " + std::to_string(settings.audiobits) +
               " gives no sample size that raw audio can be converted from";
    }
    return std::string();
}

bool BuildRawAudioData(const AudioFormat& format, bool swap, uint64_t fileBytes,
                       const SampleSource& source, PageBuffer& data) {
    if (format.channels == 0 || format.sampleRate == 0 ||
        (format.bitsPerSample != 16 && format.bitsPerSample != 24)) {
        return false;
    }
    const SampleLayout layout{format.channels, format.bitsPerSample / 8u,
                              AudioRecordWords(format.channels), false};
    const uint64_t frameBytes = InputFrameBytes(layout);
    const uint64_t frames = fileBytes / frameBytes;
    if (frames > UINT32_MAX) return false;
    const uint64_t size = frames * 4 * layout.wordsPerRecord;
    if (!SizeBuffer(data, size)) return false;
    const uint64_t input = frames * frameBytes;
    uint8_t* tail = data.data() + (size - input);
    const size_t got = source(tail, static_cast<size_t>(input));
    if (input != 0 && got == 0) return false;
    if (swap) SwapBytePairs(tail, static_cast<size_t>(input));
    return ConvertSamplesInPlace(data.data(), data.size(), static_cast<size_t>(size - input),
                                 static_cast<uint32_t>(frames), layout);
}

AudioFileKind AudioFileKindOf(const std::string& path) {
    const std::string extension = fileExtension(path);
    if (extension == "wav" || extension == "wave") return AudioFileKind::kWave;
    if (extension == "bin") return AudioFileKind::kRaw;
    return AudioFileKind::kUnknown;
}

bool ReadAudioFile(const ScenarioSettings& settings, PageBuffer& data, AudioFormat& format,
                   std::string* why) {
    std::string problem;
    bool read = false;
    switch (AudioFileKindOf(settings.audio)) {
        case AudioFileKind::kWave:
            read = ReadWaveFile(settings.audio, data, format, problem);
            break;
        case AudioFileKind::kRaw:
            read = ReadRawFile(settings, data, format, problem);
            break;
        case AudioFileKind::kUnknown:
            problem = kUnknownExtension;
            break;
    }
    if (!read && why) *why = problem;
    return read;
}
