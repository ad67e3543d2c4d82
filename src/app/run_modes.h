// The three run modes; each returns true on success.
#pragma once

#include <string>

#include "app/options.h"

bool RunPlaylist(const CommandLineOptions& options);
bool RunScenario(const CommandLineOptions& options);
bool RunEdidOnly(const CommandLineOptions& options);
// Checks the scenarios of the playlist (or the one scenario) without a device.
bool RunCheck(const CommandLineOptions& options);

inline constexpr const char* kPlaylistLoadFailed = "Failed loading playlist!";
// Finds and opens the source device on the options' interface; logs a failure.
bool OpenSourceDevice(const CommandLineOptions& options, std::string& deviceName);
// The one line that names the device taken when no serial number was given.
void LogSerialNumberWarning(const std::string& deviceName);
