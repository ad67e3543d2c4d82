// Placeholder until the simulator is built.
#include "device/hlx.h"

extern "C" {
int32_t HLX_Init(uint32_t) { return 0; }
int32_t HLX_Clean(void) { return 0; }
int32_t HLX_DEV_GetDeviceCount(void) { return 0; }
int32_t HLX_DEV_GetDeviceInfo(uint32_t, uint32_t*) { return -1; }
int32_t HLX_DEV_GetDeviceName(uint32_t, char*, uint32_t) { return -1; }
int32_t HLX_DEV_Select(uint32_t) { return -1; }
int32_t HLX_DEV_Deselect(uint32_t) { return -1; }
int32_t HLX_VOUT_GetOutputCount(void) { return -1; }
int32_t HLX_VOUT_GetOutputName(uint32_t, char*, uint32_t) { return -1; }
int32_t HLX_VOUT_Select(uint32_t) { return -1; }
int32_t HLX_VOUT_Enable(uint32_t) { return -1; }
int32_t HLX_TS_GetConfigItem(uint32_t, void*, uint32_t) { return -1; }
int32_t HLX_TS_SetConfigItem(uint32_t, const void*, uint32_t) { return -1; }
}
