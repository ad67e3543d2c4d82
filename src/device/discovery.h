// Finding, selecting and opening a device and its transmitter output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DeviceEntry {
    uint32_t index = 0;
    std::string fullName;
    std::string model;
    std::string serial;
    std::string description;
    bool isTransmitter = false;
};

inline constexpr int32_t kNoDevice = -10;
inline constexpr int32_t kNoOutput = -15;

enum class DeviceFilter : uint32_t { All = 0, Receivers = 1, Transmitters = 2 };

// One listed entry as the library reports it, for the device listing.
struct DeviceListing {
    uint32_t index = 0;
    std::string name;  // as the library gives it
    bool transmitter = false;
    bool inUse = false;
    bool outputsRead = false;  // false when in use or when the entry cannot be selected
    std::vector<std::string> outputs;
};

// Splits a library device name "M1 [1234] / HDMI TX" into its fields.
bool ParseDeviceName(const std::string& name, DeviceEntry& entry);
std::vector<DeviceEntry> ListDevices(DeviceFilter filter);
// Device index for a serial text ("*" or a part of a serial) and an output name; -10 when none.
int32_t FindDevice(const std::string& serial, const std::string& outputName);
int32_t SelectOutput(const std::string& outputName);
int32_t OpenDevice(int32_t index, const std::string& outputName);
int32_t DeselectDevice(int32_t index);
// Every entry the library lists. The outputs of an entry not in use are read by selecting
// it and deselecting it afterwards; no output is selected or enabled, and an entry in use
// is never selected.
std::vector<DeviceListing> DescribeDevices();
// The library's name for a device index; "unknown" when it writes none.
std::string GetDeviceName(int32_t index);
