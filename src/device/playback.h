// Starting playback of content already in the device, and the texts of set-up results.
#pragma once

#include <cstdint>
#include <string>

// The text for a SetupStatus code (device/output_setup.h); for the bandwidth failure the
// set-up's status text follows on the next line. Unknown codes give an empty text.
std::string StatusMessage(int32_t code, const std::string& statusText);

// Switches to the playback pattern and starts playing what the device holds, without
// uploading anything. Logs the outcome; true when playback started.
bool StartPlayback();
