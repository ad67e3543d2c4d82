// Start and stop of the device library, and the few calls the run modes make
// right after a device has been opened.
#pragma once

#include <string>

// Logs its own success or failure line (kLibraryInitFailed).
bool InitLibrary();
inline constexpr const char* kLibraryInitFailed =
    "Fatal: Could not find/initialize HLX Library. Quitting";
// Logs a line on failure only.
void CloseLibrary();
// The device's information text (item 0x80000001), as the library wrote it.
std::string ReadInformationText();
// Written once right after a device has been opened; the status is not used.
void MarkDeviceOpened();
// Whether a device has been opened (MarkDeviceOpened) since the library was started.
bool DeviceOpened();
