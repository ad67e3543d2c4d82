// The run modes; each returns true on success.
#pragma once

#include "app/options.h"

bool RunPlaylist(const CommandLineOptions& options);
bool RunScenario(const CommandLineOptions& options);
bool RunEdidOnly(const CommandLineOptions& options);
// Checks the scenarios of the playlist (or the one scenario) without a device.
bool RunCheck(const CommandLineOptions& options);

inline constexpr const char* kPlaylistLoadFailed = "Failed loading playlist!";
