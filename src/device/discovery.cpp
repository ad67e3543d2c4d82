#include "device/discovery.h"

#include <array>
#include <cstring>

#include "device/device_call.h"
#include "device/hlx.h"
#include "device/items.h"
#include "files/text.h"
#include "format/output_kind.h"

namespace {

// A name buffer preset to "unknown", so a library that writes nothing leaves that.
std::array<char, 100> UnknownNameBuffer() {
    std::array<char, 100> buffer{};
    std::memcpy(buffer.data(), "unknown", 7);
    return buffer;
}

std::string BufferText(const char* buffer, size_t size) {
    return std::string(buffer, strnlen(buffer, size));
}

bool FilterKeeps(DeviceFilter filter, bool transmitter) {
    if (filter == DeviceFilter::Receivers) return !transmitter;
    if (filter == DeviceFilter::Transmitters) return transmitter;
    return true;
}

uint32_t DeviceFlags(uint32_t index) {
    uint32_t flags = 0;
    DeviceCall(HLX_DEV_GetDeviceInfo, index, &flags);  // a failure leaves the flags clear
    return flags;
}

bool ReadDeviceName(uint32_t index, std::string& name) {
    std::array<char, 100> buffer = UnknownNameBuffer();
    const bool ok = DeviceCall(HLX_DEV_GetDeviceName, index, buffer.data(), buffer.size()) >= 0;
    name = BufferText(buffer.data(), buffer.size());
    return ok;
}

bool ReadOutputNames(uint32_t index, std::vector<std::string>& outputs) {
    if (DeviceCall(HLX_DEV_Select, index) < 0) return false;
    const int32_t count = DeviceCall(HLX_VOUT_GetOutputCount);
    for (int32_t i = 0; i < count; ++i) {
        std::array<char, 100> buffer = UnknownNameBuffer();
        DeviceCall(HLX_VOUT_GetOutputName, static_cast<uint32_t>(i), buffer.data(), buffer.size());
        outputs.push_back(BufferText(buffer.data(), buffer.size()));
    }
    DeviceCall(HLX_DEV_Deselect, index);
    return count >= 0;
}

// The wildcard takes the device only when every listed interface is one device.
int32_t WildcardChoice(const std::vector<DeviceEntry>& devices, bool wantHdmi) {
    for (const DeviceEntry& entry : devices) {
        if (entry.serial != devices.front().serial) return kNoDevice;
    }
    for (const DeviceEntry& entry : devices) {
        if (IsHdmiOutput(entry.description) == wantHdmi) return static_cast<int32_t>(entry.index);
    }
    return kNoDevice;
}

}  // namespace

bool ParseDeviceName(const std::string& name, DeviceEntry& entry) {
    const size_t open = name.find('[');
    const size_t close = name.find(']');
    if (open == std::string::npos || close == std::string::npos) return false;
    entry.fullName = name;
    entry.model = name.substr(0, open == 0 ? 0 : open - 1);
    entry.serial = close > open ? name.substr(open + 1, close - open - 1) : std::string();
    size_t separator = name.find('/');
    if (separator == std::string::npos) separator = name.find(':');
    if (separator == std::string::npos) {
        entry.description = entry.model;
    } else {
        entry.description =
            separator + 2 < name.size() ? name.substr(separator + 2) : std::string();
    }
    return true;
}

std::vector<DeviceEntry> ListDevices(DeviceFilter filter) {
    std::vector<DeviceEntry> devices;
    const int32_t count = DeviceCall(HLX_DEV_GetDeviceCount);
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t index = static_cast<uint32_t>(i);
        const bool transmitter = (DeviceFlags(index) & flag::kTransmitter) != 0;
        if (!FilterKeeps(filter, transmitter)) continue;
        std::string name;
        if (!ReadDeviceName(index, name)) continue;
        DeviceEntry entry;
        if (!ParseDeviceName(name, entry)) continue;
        entry.index = index;
        entry.isTransmitter = transmitter;
        devices.push_back(entry);
    }
    return devices;
}

int32_t FindDevice(const std::string& serial, const std::string& outputName) {
    const bool wantHdmi = IsHdmiOutput(outputName);
    const bool wantTx = contains(outputName, "TX");
    const std::vector<DeviceEntry> devices =
        ListDevices(wantTx ? DeviceFilter::Transmitters : DeviceFilter::Receivers);
    if (devices.empty()) return kNoDevice;
    for (const DeviceEntry& entry : devices) {
        if (!contains(entry.description, "in use") && IsHdmiOutput(entry.fullName) == wantHdmi &&
            entry.serial.find(serial) != std::string::npos && entry.isTransmitter == wantTx) {
            return static_cast<int32_t>(entry.index);
        }
    }
    if (wantTx && serial == "*") return WildcardChoice(devices, wantHdmi);
    return kNoDevice;
}

int32_t SelectOutput(const std::string& outputName) {
    const int32_t count = DeviceCall(HLX_VOUT_GetOutputCount);
    if (count < 0) return count;
    for (int32_t i = 0; i < count; ++i) {
        std::array<char, 100> buffer{};
        if (DeviceCall(HLX_VOUT_GetOutputName, static_cast<uint32_t>(i), buffer.data(),
                       buffer.size()) < 0) {
            continue;
        }
        // The name is searched in all 100 bytes, zeros included.
        const std::string all(buffer.data(), buffer.size());
        if (all.find(outputName) == std::string::npos) continue;
        int32_t status = DeviceCall(HLX_VOUT_Select, static_cast<uint32_t>(i));
        if (status >= 0) status = DeviceCall(HLX_VOUT_Enable, 0);
        return status;
    }
    return kNoOutput;
}

int32_t DeselectDevice(int32_t index) {
    return DeviceCall(HLX_DEV_Deselect, static_cast<uint32_t>(index));
}

int32_t OpenDevice(int32_t index, const std::string& outputName) {
    const int32_t status = DeviceCall(HLX_DEV_Select, static_cast<uint32_t>(index));
    if (status < 0) return status;
    return SelectOutput(outputName);
}

std::vector<DeviceListing> DescribeDevices() {
    std::vector<DeviceListing> devices;
    const int32_t count = DeviceCall(HLX_DEV_GetDeviceCount);
    for (int32_t i = 0; i < count; ++i) {
        DeviceListing device;
        device.index = static_cast<uint32_t>(i);
        device.transmitter = (DeviceFlags(device.index) & flag::kTransmitter) != 0;
        ReadDeviceName(device.index, device.name);
        device.inUse = contains(device.name, "in use");
        if (!device.inUse) device.outputsRead = ReadOutputNames(device.index, device.outputs);
        devices.push_back(std::move(device));
    }
    return devices;
}

std::string GetDeviceName(int32_t index) {
    std::string name;
    ReadDeviceName(static_cast<uint32_t>(index), name);
    return name;
}
