// Starting playback of content already in the device.
#pragma once

// Switches to the playback pattern and starts playing what the device holds, without
// uploading anything. Logs the outcome; true when playback started.
bool StartPlayback();
