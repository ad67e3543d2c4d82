// Opening the source device: found by its serial number and a listed output name,
// then opened on its output.
#pragma once

#include <string>

#include "app/options.h"
#include "scenario/playlist.h"

// Follows a failed opening: the user may not know which devices and outputs there are.
inline constexpr const char* kListDevicesHint =
    "Run with --list-devices to see the devices and outputs the library reports.";

// Finds and opens the source device on the options' interface; logs a failure and leaves
// its line in `failure`.
bool OpenSourceDevice(const CommandLineOptions& options, std::string& deviceName,
                      std::string& failure);
// Finds and opens the playlist's device, logs its information text and marks it opened;
// logs a failure (kPlaylistDeviceFailed).
bool OpenPlaylistDevice(Playlist& playlist);
inline constexpr const char* kPlaylistDeviceFailed = "Failed opening device!";
// Resets the device and opens it again as the playlist names it.
bool ReopenDevice(const Playlist& playlist);
// The one line that names the device taken when no serial number was given.
void LogSerialNumberWarning(const std::string& deviceName);
