// The device library's C interface: the only declaration of its functions.
// Every call returns a signed 32-bit status; negative means failure. There is no
// device handle: after HLX_DEV_Select all output and item calls act on that device.
#ifndef TAVREL_DEVICE_HLX_H
#define TAVREL_DEVICE_HLX_H

#include <stdint.h>

#if defined(_WIN32) && defined(HLX_BUILDING_LIBRARY)
#define HLX_API __declspec(dllexport)
#else
#define HLX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

HLX_API int32_t HLX_Init(uint32_t flags);
HLX_API int32_t HLX_Clean(void);

HLX_API int32_t HLX_DEV_GetDeviceCount(void);
// Fills *flags; bit 4 marks a transmitter device.
HLX_API int32_t HLX_DEV_GetDeviceInfo(uint32_t index, uint32_t* flags);
// Writes a zero-terminated name: model, blank, [serial], separator, blank, more text.
HLX_API int32_t HLX_DEV_GetDeviceName(uint32_t index, char* buffer, uint32_t size);
HLX_API int32_t HLX_DEV_Select(uint32_t index);
HLX_API int32_t HLX_DEV_Deselect(uint32_t index);

HLX_API int32_t HLX_VOUT_GetOutputCount(void);
HLX_API int32_t HLX_VOUT_GetOutputName(uint32_t index, char* buffer, uint32_t size);
HLX_API int32_t HLX_VOUT_Select(uint32_t index);
HLX_API int32_t HLX_VOUT_Enable(uint32_t flags);

// A read returns the number of bytes delivered into buffer.
HLX_API int32_t HLX_TS_GetConfigItem(uint32_t item, void* buffer, uint32_t size);
// For the memory layout item, size counts 64-bit entries, not bytes.
HLX_API int32_t HLX_TS_SetConfigItem(uint32_t item, const void* data, uint32_t size);

#ifdef __cplusplus
}
#endif

#endif
