// The device audio data of a WAV file, converted as the samples are read: straight
// from the file's mapped pages where the system allows, else read piece by piece into
// the tail of the data and converted in place. One pass, one buffer, no clearing.
#pragma once

#include <string>

#include "upload/page_buffer.h"

class WaveReader;

enum class WaveSamples { kDone, kFailed, kNotHandled };

// `reader` has opened `path` and stands at the first sample. kNotHandled (nothing
// read) for streams this path leaves to BuildWaveAudioData: more than 8 channels,
// samples of another size than 1 to 3 bytes, or a block align too small for them.
// kFailed when the file does not hold what its header promised (it shrank meanwhile)
// or the memory cannot be had. `map` false reads even where the file could be mapped.
WaveSamples ConvertWaveFile(const std::string& path, WaveReader& reader, PageBuffer& data,
                            bool map = true);
