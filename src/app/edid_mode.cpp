// The EDID-only run mode and the opening of the source device it shares with the
// single-scenario mode.
#include "app/run_modes.h"
#include "device/discovery.h"
#include "edid/sink_edid.h"
#include "log/logger.h"

void LogSerialNumberWarning(const std::string& deviceName) {
    Logger::instance().log(
        "WARNING: No specific serial number was specified. Using device %s as source.",
        deviceName.c_str());
}

bool OpenSourceDevice(const CommandLineOptions& options, std::string& deviceName) {
    // Devices list their outputs as "HDMI TX"; the output itself opens by the bare name.
    const std::string lookupName = options.interface + " TX";
    const int32_t index = FindDevice(options.sourceSerialNumber, lookupName);
    deviceName = GetDeviceName(index);
    if (OpenDevice(index, options.interface) < 0) {
        Logger::instance().log("Failed opening device '%s' for '%s'.",
                               options.sourceSerialNumber.c_str(), lookupName.c_str());
        logText("");
        return false;
    }
    return true;
}

bool RunEdidOnly(const CommandLineOptions& options) {
    std::string deviceName;
    if (!OpenSourceDevice(options, deviceName)) return false;
    if (options.sourceSerialNumber == "*") LogSerialNumberWarning(deviceName);
    return ReadSinkEdid(options.edidPath);
}
