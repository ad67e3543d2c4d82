// The device audio data of a WAV file, converted as the samples are read: straight
// from the file's mapped pages where the system allows, else read piece by piece into
// the tail of the data and converted in place. One pass, one buffer, no clearing.
#pragma once

#include <string>

#include "kernels/page_buffer.h"
#include "upload/audio.h"

class WaveReader;
struct WaveHeader;

enum class WaveSamples { kDone, kFailed };

// `reader` has opened `path` and stands at the first sample. kFailed when the file does
// not hold what its header promised (it shrank meanwhile) or the memory cannot be had.
// `map` false reads even where the file could be mapped.
WaveSamples ConvertWaveFile(const std::string& path, WaveReader& reader, PageBuffer& data,
                            bool map = true);

// The same from samples handed over by `source` (the header says where they came from):
// frames x record + 4 bytes. False when the source holds fewer samples than the header
// promises, or for a header that the reader would refuse.
bool BuildWaveAudioData(const WaveHeader& header, const SampleSource& source, PageBuffer& data);
