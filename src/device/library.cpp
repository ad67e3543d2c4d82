#include "device/library.h"

#include <array>
#include <cstring>

#include "device/config_items.h"
#include "device/device_call.h"
#include "device/hlx.h"
#include "device/items.h"
#include "log/logger.h"

bool InitLibrary() {
    if (HLX_Init(0) < 0) {
        logText(kLibraryInitFailed);
        return false;
    }
    Logger::instance().log("Success: Initialized Corvane.");
    return true;
}

namespace {

bool gDeviceOpened = false;

}  // namespace

void CloseLibrary() {
    gDeviceOpened = false;
    if (HLX_Clean() < 0) Logger::instance().log("Fatal: Could not properly close HLX Library");
}

std::string ReadInformationText() {
    std::array<char, 1024> buffer{};
    DeviceCall(HLX_TS_GetConfigItem, item::kInformation, buffer.data(), buffer.size());
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

void MarkDeviceOpened() {
    gDeviceOpened = true;
    SetItem32(item::kApplySettings, setting::kDeviceOpened);
}

bool DeviceOpened() {
    return gDeviceOpened;
}
