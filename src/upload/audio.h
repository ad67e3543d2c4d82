// The scenario's audio track: read a WAV or raw ".bin" file, turn it into the
// device's audio data, write it to the audio block and set up the audio generator.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "kernels/page_buffer.h"

struct ScenarioSettings;
struct MemoryLayout;
class DataLoaderBase;

struct AudioFormat {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;  // Hz
    uint16_t bitsPerSample = 0;
};

// How an audio path is read, by its extension (case-sensitive): "wav" and "wave" are WAV
// files, "bin" raw samples; anything else cannot be read.
enum class AudioFileKind { kWave, kRaw, kUnknown };
AudioFileKind AudioFileKindOf(const std::string& path);

// Reads the `audio` file into device audio data. False when the file cannot be used;
// then `why` (when given) says why, worded to follow the file's name.
bool ReadAudioFile(const ScenarioSettings& settings, PageBuffer& data, AudioFormat& format,
                   std::string* why = nullptr);

// The audio size register is 32 bits wide, so no larger stream can be described.
inline constexpr uint64_t kMaxAudioDataBytes = UINT32_MAX;

// What the `audio` file gives, known from its name, header, codes and size alone (its
// samples are not read).
struct AudioPlan {
    std::string why;           // why it cannot be read, worded to follow its name; empty: it can
    uint64_t deviceBytes = 0;  // the device data its header or size gives, for the audio block
    AudioFormat format;        // what the upload sends: the WAV header's, or the raw codes'
};
AudioPlan PlanAudio(const ScenarioSettings& settings);

// Fills `destination` with up to `size` bytes of the file's samples; returns the count.
using SampleSource = std::function<size_t(uint8_t* destination, size_t size)>;

// Format of raw audio, from the scenario's channel, sampling and bit codes; a field
// whose code has no value is 0.
AudioFormat RawAudioFormat(const ScenarioSettings& settings);
// Why the codes give no raw format that can be converted; empty when they do.
std::string RawAudioFormatProblem(const ScenarioSettings& settings);
// Device audio data of raw interleaved little-endian samples (16 or 24 bits), `fileBytes`
// long, byte-swapped per 16-bit word first when `swap`: whole frames only, no trailing
// bytes, so 16-bit input gives twice its size. False for formats that cannot be converted
// (no channels, no rate, sample sizes other than 16 and 24 bits).
bool BuildRawAudioData(const AudioFormat& format, bool swap, uint64_t fileBytes,
                       const SampleSource& source, PageBuffer& data);

// Channel status: two identical 24-byte consumer blocks.
inline constexpr size_t kChannelStatusBytes = 48;
using ChannelStatus = std::array<uint8_t, kChannelStatusBytes>;

// The rate the link carries: four times the sample rate for compressed multi-channel
// (high bit rate) streams.
uint64_t LinkAudioRate(const AudioFormat& format, bool compressed);
uint8_t SamplingFrequencyCode(uint64_t rate);
uint8_t WordLengthCode(uint32_t bitsPerSample);
ChannelStatus BuildChannelStatus(const AudioFormat& format, bool compressed);
// HDMI audio packet type: 3 for 8-channel streams at 64 kHz and above, else 0.
uint32_t AudioPacketType(const AudioFormat& format, bool compressed);

// Why the planned `audio` file cannot be read into device audio data, as the upload
// reports it: the file and its problem, then the fatal line; empty when it can.
std::string AudioRefusal(const ScenarioSettings& settings, const AudioPlan& plan);

// Reads the audio into the layout's audio block and configures the generator, or reports
// the plan's refusal; reports through the loader.
bool UploadAudio(DataLoaderBase& loader, const ScenarioSettings& settings, const AudioPlan& plan,
                 const MemoryLayout& layout);
