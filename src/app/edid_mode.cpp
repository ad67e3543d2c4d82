// The EDID-only run mode.
#include "app/run_modes.h"
#include "app/source_device.h"
#include "edid/sink_edid.h"

bool RunEdidOnly(const CommandLineOptions& options) {
    std::string deviceName;
    std::string failure;  // no report in this mode
    if (!OpenSourceDevice(options, deviceName, failure)) return false;
    if (options.sourceSerialNumber == "*") LogSerialNumberWarning(deviceName);
    return ReadSinkEdid(options.edidPath);
}
