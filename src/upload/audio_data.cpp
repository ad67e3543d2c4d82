// Reading audio files into the device's audio data.
#include <cstdint>
#include <cstring>
#include <string>

#include "files/file_ptr.h"
#include "files/paths.h"
#include "kernels/audio_kernels.h"
#include "scenario/scenario.h"
#include "upload/audio.h"
#include "upload/wave_reader.h"
#include "upload/wave_samples.h"

namespace {

constexpr const char* kUnknownExtension = "the extension is neither wav, wave nor bin";
constexpr const char* kNotConverted =
    "the samples cannot be read, or give more audio data than the device takes";

// Zero-filled: what these paths do not read stays silent.
bool SizeBuffer(PageBuffer& data, uint64_t size) {
    if (size > kMaxAudioDataBytes || !data.resize(static_cast<size_t>(size))) return false;
    if (!data.empty()) std::memset(data.data(), 0, data.size());  // empty: no buffer at all
    return true;
}

// The raw-audio codes of a scenario and what each stands for; a code past a table has no
// value (0).
constexpr uint16_t kRawChannels[] = {2, 8};
constexpr uint32_t kRawSampleRates[] = {44100, 48000, 96000, 192000};
constexpr uint16_t kRawBits[] = {16, 24, 32};

template <typename Value, size_t N>
Value RawValue(const Value (&table)[N], uint32_t code) {
    return code < N ? table[code] : Value{0};
}

// Raw samples are converted from 16 or 24 bits only.
bool IsConvertibleRaw(const AudioFormat& format) {
    return format.channels != 0 && format.sampleRate != 0 &&
           (format.bitsPerSample == 16 || format.bitsPerSample == 24);
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

// What the header gives, without a look at the samples: the format the device gets
// (the file read as its 8-, 16- or 24-bit twin) and whether its data fits the device.
bool InspectWave(const std::string& path, WaveReader& reader, AudioFormat& format,
                 std::string& why) {
    if (!reader.open(path)) return Refuse(why, reader.problem());
    if (reader.deviceDataSize() > kMaxAudioDataBytes) return Refuse(why, kNotConverted);
    const WaveHeader& header = reader.header();
    format = AudioFormat{header.channels, header.sampleRate, WaveDeviceBits(header)};
    return true;
}

bool ReadWaveFile(const std::string& path, PageBuffer& data, AudioFormat& format,
                  std::string& why) {
    WaveReader reader;
    if (!InspectWave(path, reader, format, why)) return false;
    if (ConvertWaveFile(path, reader, data) == WaveSamples::kDone) return true;
    data.clear();
    return Refuse(why, kNotConverted);
}

// Whole frames of raw samples, and the bytes of their records.
struct RawSize {
    uint64_t frames = 0;
    uint64_t bytes = 0;
};

RawSize RawDataSize(const SampleLayout& layout, uint64_t fileBytes) {
    const uint64_t frames = fileBytes / InputFrameBytes(layout);
    return RawSize{frames, frames * RecordBytes(layout)};
}

SampleLayout RawLayout(const AudioFormat& format) {
    return SampleLayout{format.channels, format.bitsPerSample / 8u,
                        AudioRecordWords(format.channels), false};
}

// The codes, the file's size and whether it opens: all a raw file needs before its read.
bool InspectRaw(const ScenarioSettings& settings, uint64_t& fileBytes, std::string& why) {
    const std::string problem = RawAudioFormatProblem(settings);
    if (!problem.empty()) return Refuse(why, problem);
    const int64_t size = fileSize(settings.audio);
    if (size < 0) return Refuse(why, kFileCannotBeOpened);
    fileBytes = static_cast<uint64_t>(size);
    const RawSize raw = RawDataSize(RawLayout(RawAudioFormat(settings)), fileBytes);
    if (raw.frames > UINT32_MAX || raw.bytes > kMaxAudioDataBytes) {
        return Refuse(why, kNotConverted);
    }
    return true;
}

bool ReadRawFile(const ScenarioSettings& settings, PageBuffer& data, AudioFormat& format,
                 std::string& why) {
    uint64_t size = 0;
    if (!InspectRaw(settings, size, why)) return false;
    const FilePtr file(openFile(settings.audio, "rb"));
    if (!file) return Refuse(why, kFileCannotBeOpened);
    format = RawAudioFormat(settings);
    return BuildRawAudioData(format, settings.audioswap, size, FileSource(file.get()), data) ||
           Refuse(why, kNotConverted);
}

}  // namespace

AudioFormat RawAudioFormat(const ScenarioSettings& settings) {
    return AudioFormat{RawValue(kRawChannels, settings.audiochannels),
                       RawValue(kRawSampleRates, settings.audiosampling),
                       RawValue(kRawBits, settings.audiobits)};
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
    if (!IsConvertibleRaw(format)) {
        return "audiobits code " + std::to_string(settings.audiobits) +
               " gives no sample size that raw audio can be converted from";
    }
    return std::string();
}

bool BuildRawAudioData(const AudioFormat& format, bool swap, uint64_t fileBytes,
                       const SampleSource& source, PageBuffer& data) {
    if (!IsConvertibleRaw(format)) return false;
    const SampleLayout layout = RawLayout(format);
    const RawSize raw = RawDataSize(layout, fileBytes);
    if (raw.frames > UINT32_MAX) return false;
    const uint64_t frames = raw.frames;
    const uint64_t size = raw.bytes;
    if (!SizeBuffer(data, size)) return false;
    const uint64_t input = frames * InputFrameBytes(layout);
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

// The device data is sized from the header (or a raw file's size) even where the file is
// refused, so that the memory check sees what it would need.
AudioPlan PlanAudio(const ScenarioSettings& settings) {
    AudioPlan plan;
    switch (AudioFileKindOf(settings.audio)) {
        case AudioFileKind::kWave: {
            WaveReader reader;
            InspectWave(settings.audio, reader, plan.format, plan.why);
            plan.deviceBytes = reader.deviceDataSize();
            break;
        }
        case AudioFileKind::kRaw: {
            uint64_t size = 0;
            InspectRaw(settings, size, plan.why);
            plan.format = RawAudioFormat(settings);
            const int64_t bytes = fileSize(settings.audio);
            plan.deviceBytes = bytes < 0 ? 0 : 2 * static_cast<uint64_t>(bytes);
            break;
        }
        case AudioFileKind::kUnknown:
            plan.why = kUnknownExtension;
            break;
    }
    return plan;
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
