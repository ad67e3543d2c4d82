// The run modes; each returns true on success.
#pragma once

#include "app/options.h"

class RunReport;

// The run modes that play or check scenarios tell `report` where each one starts and ends.
bool RunPlaylist(const CommandLineOptions& options, RunReport& report);
bool RunScenario(const CommandLineOptions& options, RunReport& report);
bool RunEdidOnly(const CommandLineOptions& options);
// Checks the scenarios of the playlist (or the one scenario) without a device.
bool RunCheck(const CommandLineOptions& options, RunReport& report);
// Lists every device entry and the outputs of those not in use; false when none is listed.
bool RunListDevices();

inline constexpr const char* kPlaylistLoadFailed = "Failed loading playlist!";
