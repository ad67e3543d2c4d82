// Reading audio files into the device's audio data.
#include <cstdint>
#include <memory>
#include <new>
#include <string>

#include "scenario/paths.h"
#include "scenario/scenario.h"
#include "upload/audio.h"
#include "upload/audio_kernels.h"
#include "upload/wave_reader.h"

namespace {

// The audio size register is 32 bits wide, so no larger stream can be described.
constexpr uint64_t kMaxAudioDataBytes = UINT32_MAX;

bool SizeBuffer(std::vector<uint8_t>& data, uint64_t size) {
    if (size > kMaxAudioDataBytes) return false;
    try {
        data.assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        data.clear();
        return false;
    }
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

SampleSource FileSource(std::FILE* file) {
    return [file](uint8_t* destination, size_t size) {
        return size == 0 ? size_t{0} : std::fread(destination, 1, size, file);
    };
}

bool ReadWaveFile(const std::string& path, std::vector<uint8_t>& data, AudioFormat& format) {
    WaveReader reader;
    if (!reader.open(path)) return false;
    const WaveHeader& header = reader.header();
    format = AudioFormat{header.channels, header.sampleRate, header.bitsPerSample};
    const SampleSource source = [&reader](uint8_t* destination, size_t size) {
        return reader.readSamples(destination, size);
    };
    return BuildWaveAudioData(header, source, data);
}

bool ReadRawFile(const ScenarioSettings& settings, std::vector<uint8_t>& data,
                 AudioFormat& format) {
    const int64_t size = fileSize(settings.audio);
    if (size < 0) return false;
    std::unique_ptr<std::FILE, FileCloser> file(openFile(settings.audio, "rb"));
    if (!file) return false;
    format = RawAudioFormat(settings);
    return BuildRawAudioData(format, settings.audioswap, static_cast<uint64_t>(size),
                             FileSource(file.get()), data);
}

}  // namespace

bool BuildWaveAudioData(const WaveHeader& header, const SampleSource& source,
                        std::vector<uint8_t>& data) {
    const uint32_t words = AudioRecordWords(header.channels);
    const uint64_t size = AudioDeviceDataSize(header.channels, header.frames);
    if (!SizeBuffer(data, size)) return false;
    const uint32_t sampleBytes = header.bitsPerSample / 8u;
    const uint64_t fileBytes = uint64_t{sampleBytes} * header.channels * header.frames;
    // The samples end where the buffer ends, so every record is written behind the
    // input it comes from. A block align too small for the samples leaves them unread.
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
    return ConvertSamplesInPlace(data.data(), data.size(), static_cast<size_t>(size - input),
                                 header.frames, layout);
}

AudioFormat RawAudioFormat(const ScenarioSettings& settings) {
    return AudioFormat{RawChannels(settings.audiochannels), RawSampleRate(settings.audiosampling),
                       RawBits(settings.audiobits)};
}

bool BuildRawAudioData(const AudioFormat& format, bool swap, uint64_t fileBytes,
                       const SampleSource& source, std::vector<uint8_t>& data) {
    if (format.channels == 0 || (format.bitsPerSample != 16 && format.bitsPerSample != 24)) {
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

bool ReadAudioFile(const ScenarioSettings& settings, std::vector<uint8_t>& data,
                   AudioFormat& format) {
    const std::string extension = fileExtension(settings.audio);
    if (extension == "wav" || extension == "wave")
        return ReadWaveFile(settings.audio, data, format);
    if (extension == "bin") return ReadRawFile(settings, data, format);
    return false;
}
