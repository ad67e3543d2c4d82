#include "app/run_modes.h"

// Placeholders until the run modes are built.
bool RunPlaylist(const CommandLineOptions&) { return false; }
bool RunScenario(const CommandLineOptions&) { return false; }
