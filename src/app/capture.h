// The command that starts the capture application after a scenario's upload.
#pragma once

#include <string>

#include "scenario/playlist.h"

std::string BuildCaptureCommand(const Playlist& playlist, const ScenarioSettings& settings);
