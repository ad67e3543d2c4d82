// WAV files: header parse and the in-place conversion of whatever the header describes.
#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "upload/audio.h"
#include "upload/wave_reader.h"
#include "upload/wave_samples.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveHeader header;
    if (!ParseWaveHeader(data, size, header)) return 0;
    // The header may never describe more samples than the file holds.
    if (header.dataOffset + header.dataSize > size && header.dataSize != 0) __builtin_trap();
    size_t at = std::min<uint64_t>(header.dataOffset, size);
    const SampleSource source = [&](uint8_t* destination, size_t wanted) {
        const size_t n = std::min(wanted, size - at);
        if (n != 0) std::memcpy(destination, data + at, n);
        at += n;
        return n;
    };
    PageBuffer audio;
    if (!BuildWaveAudioData(header, source, audio)) return 0;
    if (audio.size() != AudioDeviceDataSize(header.channels, header.frames)) __builtin_trap();
    return 0;
}
