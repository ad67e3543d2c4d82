// The three run modes; each returns true on success.
#pragma once

#include <string>

#include "app/options.h"

bool RunPlaylist(const CommandLineOptions& options);
bool RunScenario(const CommandLineOptions& options);
bool RunEdidOnly(const CommandLineOptions& options);
// Finds and opens the source device on the options' interface; logs a failure.
bool OpenSourceDevice(const CommandLineOptions& options, std::string& deviceName);
// The one line that names the device taken when no serial number was given.
void LogSerialNumberWarning(const std::string& deviceName);
