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

// Splits a library device name "M1 [1234] / HDMI TX" into its fields.
bool ParseDeviceName(const std::string& name, DeviceEntry& entry);
std::vector<DeviceEntry> ListDevices(DeviceFilter filter);
// Device index for a serial text ("*" or a part of a serial) and an output name; -10 when none.
int32_t FindDevice(const std::string& serial, const std::string& outputName);
int32_t SelectOutput(const std::string& outputName);
int32_t OpenDevice(int32_t index, const std::string& outputName);
int32_t DeselectDevice(int32_t index);
// The library's name for a device index; "unknown" when it writes none.
std::string GetDeviceName(int32_t index);
