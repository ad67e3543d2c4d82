// Raw ".bin" audio and the channel status built from its format. The first input byte
// picks the scenario's channel, sampling and bit codes and the byte swap.
#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "scenario/scenario.h"
#include "upload/audio.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    ScenarioSettings settings;
    settings.audiochannels = data[0] & 3;
    settings.audiosampling = (data[0] >> 2) & 7;
    settings.audiobits = (data[0] >> 5) & 3;
    const bool swap = (data[0] & 0x80) != 0;
    const AudioFormat format = RawAudioFormat(settings);
    size_t at = 1;
    const SampleSource source = [&](uint8_t* destination, size_t wanted) {
        const size_t n = std::min(wanted, size - at);
        if (n != 0) std::memcpy(destination, data + at, n);
        at += n;
        return n;
    };
    PageBuffer audio;
    if (BuildRawAudioData(format, swap, size - 1, source, audio) && audio.size() % 8 != 0) {
        __builtin_trap();  // whole records of 2 or 8 words only
    }
    for (const bool compressed : {false, true}) {
        BuildChannelStatus(format, compressed);
        AudioPacketType(format, compressed);
    }
    return 0;
}
