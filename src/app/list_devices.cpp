// The device listing: what the library reports, so a user can pick a serial number and
// an output without a second tool.
#include "app/run_modes.h"
#include "device/discovery.h"
#include "log/logger.h"

namespace {

std::string DeviceKind(const DeviceListing& device) {
    const std::string kind = device.transmitter ? "transmitter" : "receiver";
    return device.inUse ? kind + ", in use" : kind;
}

void LogDevice(const DeviceListing& device) {
    logText("Device " + std::to_string(device.index) + ": " + device.name + " (" +
            DeviceKind(device) + ")");
    if (device.inUse) return;  // selecting it could disturb its user
    if (!device.outputsRead) {
        logText("  Its outputs cannot be read.");
        return;
    }
    if (device.outputs.empty()) logText("  No outputs.");
    for (size_t i = 0; i < device.outputs.size(); ++i) {
        logText("  Output " + std::to_string(i) + ": " + device.outputs[i]);
    }
}

}  // namespace

bool RunListDevices() {
    const std::vector<DeviceListing> devices = DescribeDevices();
    if (devices.empty()) {
        logText("No device found.");
        return false;
    }
    for (const DeviceListing& device : devices) LogDevice(device);
    return true;
}
