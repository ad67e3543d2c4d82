#include "app/source_device.h"

#include "device/config_items.h"
#include "device/discovery.h"
#include "device/library.h"
#include "format/output_kind.h"
#include "log/logger.h"

namespace {

// The command line's interface, when given, names the listed output; else the playlist does.
std::string PlaylistLookupName(const Playlist& playlist) {
    return playlist.interface.empty() ? playlist.connectortype
                                      : TransmitterOutputName(playlist.interface);
}

// The device is looked up by the name it lists and opened by the output's own name.
bool OpenListedDevice(const std::string& serial, const std::string& lookupName,
                      const std::string& outputName, std::string& deviceName) {
    const int32_t index = FindDevice(serial, lookupName);
    deviceName = GetDeviceName(index);
    return OpenDevice(index, outputName) >= 0;
}

void LogOpeningFailureEnd() {
    logText(kListDevicesHint);
    logText("");
}

}  // namespace

void LogSerialNumberWarning(const std::string& deviceName) {
    Logger::instance().log(
        "WARNING: No specific serial number was specified. Using device %s as source.",
        deviceName.c_str());
}

bool OpenSourceDevice(const CommandLineOptions& options, std::string& deviceName,
                      std::string& failure) {
    // Devices list their outputs as "HDMI TX"; the output itself opens by the bare name.
    const std::string lookupName = TransmitterOutputName(options.interface);
    if (!OpenListedDevice(options.sourceSerialNumber, lookupName, options.interface, deviceName)) {
        failure =
            "Failed opening device '" + options.sourceSerialNumber + "' for '" + lookupName + "'.";
        logText(failure);
        LogOpeningFailureEnd();
        return false;
    }
    return true;
}

bool OpenPlaylistDevice(Playlist& playlist) {
    if (!OpenListedDevice(playlist.serialnumber, PlaylistLookupName(playlist),
                          playlist.connectortype, playlist.deviceName)) {
        logText(kPlaylistDeviceFailed);
        LogOpeningFailureEnd();
        return false;
    }
    if (playlist.serialnumber == "*") LogSerialNumberWarning(playlist.deviceName);
    logText(ReadInformationText());
    MarkDeviceOpened();
    return true;
}

bool ReopenDevice(const Playlist& playlist) {
    if (!ResetDevice()) return false;
    const int32_t index = FindDevice(playlist.serialnumber, PlaylistLookupName(playlist));
    if (DeselectDevice(index) < 0) return false;
    return OpenDevice(index, playlist.connectortype) >= 0;
}
