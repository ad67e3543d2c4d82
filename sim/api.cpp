// The library's C interface over the simulated generator. Every call leaves one
// trace line; a failure changes nothing and returns -1.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/hlx.h"
#include "memory.h"
#include "sim_control.h"
#include "state.h"

namespace hlxsim {
namespace {

// No exception may cross the C interface; running out of memory is a refusal.
template <typename Body>
int32_t guarded(Body body) {
    try {
        return body();
    } catch (...) {
        return kRefused;
    }
}

__attribute__((format(printf, 1, 2))) std::string printed(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

void trace(const std::string& line) {
    State().trace.write(line);
}
bool tracing() {
    return State().trace.active();
}

std::string quoted(const char* text, size_t size) {
    return " \"" + std::string(text, size) + "\"";
}

bool loadEnvironmentProfile() {
    const char* path = std::getenv("HLX_SIM_PROFILE");
    if (path == nullptr || *path == '\0') {
        LoadDefaultProfile();
        return true;
    }
    std::string error;
    if (LoadProfileFile(path, &error)) return true;
    std::fprintf(stderr, "HLX simulator: %s\n", error.c_str());
    State().profileLoaded = false;  // the next HLX_Init tries the file again
    return false;
}

int32_t init() {
    SimState& s = State();
    s.trace.openFromEnvironment();
    if (!s.profileLoaded && !loadEnvironmentProfile()) return kRefused;
    if (s.profile.failInit) return kRefused;
    s.initialised = true;
    s.device = -1;
    s.output = -1;
    return 0;
}

const DeviceSpec* deviceAt(uint32_t index) {
    const SimState& s = State();
    if (!s.initialised || index >= s.profile.devices.size()) return nullptr;
    return &s.profile.devices[index];
}

const DeviceSpec* selectedDevice() {
    const SimState& s = State();
    return s.device < 0 ? nullptr : deviceAt(static_cast<uint32_t>(s.device));
}

// Copies at most size - 1 bytes and a terminating zero; the count copied, or -1.
int32_t copyName(const std::string& name, char* buffer, uint32_t size) {
    if (buffer == nullptr || size == 0) return kRefused;
    size_t n = std::min<size_t>(name.size(), size - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return static_cast<int32_t>(n);
}

}  // namespace
}  // namespace hlxsim

using namespace hlxsim;

extern "C" {

int32_t HLX_Init(uint32_t flags) {
    int32_t status = guarded(init);
    if (tracing()) trace(printed("HLX_Init(%u) = %d", flags, status));
    return status;
}

int32_t HLX_Clean(void) {
    SimState& s = State();
    int32_t status = kRefused;
    if (s.initialised && !s.profile.failClean) {
        s.initialised = false;
        s.device = -1;
        s.output = -1;
        status = 0;
    }
    if (tracing()) trace(printed("HLX_Clean() = %d", status));
    if (status == 0) s.trace.closeFile();
    return status;
}

int32_t HLX_DEV_GetDeviceCount(void) {
    const SimState& s = State();
    int32_t status = s.initialised ? static_cast<int32_t>(s.profile.devices.size()) : kRefused;
    if (tracing()) trace(printed("HLX_DEV_GetDeviceCount() = %d", status));
    return status;
}

int32_t HLX_DEV_GetDeviceInfo(uint32_t index, uint32_t* flags) {
    const DeviceSpec* device = deviceAt(index);
    int32_t status = device != nullptr && flags != nullptr ? 0 : kRefused;
    if (status == 0) *flags = device->flags;
    if (!tracing()) return status;
    std::string line = printed("HLX_DEV_GetDeviceInfo(%u) = %d", index, status);
    if (status == 0) line += printed(" 0x%08X", *flags);
    trace(line);
    return status;
}

int32_t HLX_DEV_GetDeviceName(uint32_t index, char* buffer, uint32_t size) {
    const DeviceSpec* device = deviceAt(index);
    int32_t copied = device != nullptr ? copyName(device->name, buffer, size) : kRefused;
    int32_t status = copied < 0 ? kRefused : 0;
    if (!tracing()) return status;
    std::string line = printed("HLX_DEV_GetDeviceName(%u, %u) = %d", index, size, status);
    if (status == 0) line += quoted(buffer, static_cast<size_t>(copied));
    trace(line);
    return status;
}

int32_t HLX_DEV_Select(uint32_t index) {
    SimState& s = State();
    int32_t status = deviceAt(index) != nullptr ? 0 : kRefused;
    if (status == 0) {
        s.device = static_cast<int32_t>(index);
        s.output = -1;
    }
    if (tracing()) trace(printed("HLX_DEV_Select(%u) = %d", index, status));
    return status;
}

int32_t HLX_DEV_Deselect(uint32_t index) {
    SimState& s = State();
    bool selected = s.initialised && s.device >= 0 && static_cast<uint32_t>(s.device) == index;
    int32_t status = selected ? 0 : kRefused;
    if (selected) {
        s.device = -1;
        s.output = -1;
    }
    if (tracing()) trace(printed("HLX_DEV_Deselect(%u) = %d", index, status));
    return status;
}

int32_t HLX_VOUT_GetOutputCount(void) {
    const DeviceSpec* device = selectedDevice();
    int32_t status = device != nullptr ? static_cast<int32_t>(device->outputs.size()) : kRefused;
    if (tracing()) trace(printed("HLX_VOUT_GetOutputCount() = %d", status));
    return status;
}

int32_t HLX_VOUT_GetOutputName(uint32_t index, char* buffer, uint32_t size) {
    const DeviceSpec* device = selectedDevice();
    int32_t copied = kRefused;
    if (device != nullptr && index < device->outputs.size()) {
        copied = copyName(device->outputs[index], buffer, size);
    }
    int32_t status = copied < 0 ? kRefused : 0;
    if (!tracing()) return status;
    std::string line = printed("HLX_VOUT_GetOutputName(%u, %u) = %d", index, size, status);
    if (status == 0) line += quoted(buffer, static_cast<size_t>(copied));
    trace(line);
    return status;
}

int32_t HLX_VOUT_Select(uint32_t index) {
    const DeviceSpec* device = selectedDevice();
    int32_t status = device != nullptr && index < device->outputs.size() ? 0 : kRefused;
    if (status == 0) State().output = static_cast<int32_t>(index);
    if (tracing()) trace(printed("HLX_VOUT_Select(%u) = %d", index, status));
    return status;
}

int32_t HLX_VOUT_Enable(uint32_t flags) {
    int32_t status = selectedDevice() != nullptr && State().output >= 0 ? 0 : kRefused;
    if (tracing()) trace(printed("HLX_VOUT_Enable(%u) = %d", flags, status));
    return status;
}

int32_t HLX_TS_GetConfigItem(uint32_t item, void* buffer, uint32_t size) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    int32_t status = kRefused;
    if (selectedDevice() != nullptr && (bytes != nullptr || size == 0)) {
        status = guarded([&] { return GetItem(item, bytes, size); });
    }
    if (!tracing()) return status;
    std::string line = printed("HLX_TS_GetConfigItem(0x%08X, %u) = %d", item, size, status);
    if (status > 0) {
        line += ' ';
        line += TraceBytes(bytes, std::min<uint64_t>(size, uint64_t(status)));
    }
    trace(line);
    return status;
}

int32_t HLX_TS_SetConfigItem(uint32_t item, const void* data, uint32_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint64_t count = SetByteCount(item, size);
    int32_t status = kRefused;
    if (selectedDevice() != nullptr && (bytes != nullptr || count == 0)) {
        status = guarded([&] { return SetItem(item, bytes, size); });
    }
    if (!tracing()) return status;
    std::string shown = bytes != nullptr ? TraceBytes(bytes, count) : "";
    trace(printed("HLX_TS_SetConfigItem(0x%08X, %u, ", item, size) + shown +
          printed(") = %d", status));
    return status;
}

}  // extern "C"
