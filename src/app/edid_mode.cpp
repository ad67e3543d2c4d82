// The EDID-only run mode.
#include "app/run_modes.h"
#include "app/source_device.h"
#include "edid/sink_edid.h"

bool RunEdidOnly(const CommandLineOptions& options) {
    std::string deviceName;
    if (!OpenSourceDevice(options, deviceName)) return false;
    if (options.sourceSerialNumber == "*") LogSerialNumberWarning(deviceName);
    return ReadSinkEdid(options.edidPath);
}
