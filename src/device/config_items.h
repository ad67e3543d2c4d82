// The program's one layer over the device's configuration items and registers.
// Every operation returns true when each library call it made succeeded (status >= 0)
// and logs nothing; callers report failures in their own words.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "format/color_format.h"

struct Timing;

// Raw item access, for the few places that write one item directly.
bool SetItem32(uint32_t item, uint32_t value);
bool SetItem64(uint32_t item, uint64_t value);
bool SetItemBytes(uint32_t item, const void* data, uint32_t size);
// Reads into a zeroed value; returns the library status (bytes delivered, or negative).
int32_t GetItem32(uint32_t item, uint32_t& value);
int32_t GetItem64(uint32_t item, uint64_t& value);

// Register window.
bool WriteRegister(uint32_t address, uint32_t value);
bool ReadRegister(uint32_t address, uint64_t& value);
bool WriteRegisterBlock(uint32_t address, const uint8_t* data, uint32_t size);

// Register operations.
bool SetScrambler(bool on);
bool SetImageSize(bool hdmi, uint32_t width, uint32_t height);
bool SetAudioControl(uint32_t value);
bool SetAudioParameters(uint32_t channels, uint32_t rate, uint32_t bits);
bool SetAudioSize(uint32_t bytes);
bool SetAudioMute(uint32_t mode);
bool SetAudioMemoryBlock(uint32_t index);
bool SetAudioCompressed(bool on);
bool SetAudioChannelStatus(const uint8_t* bytes, uint32_t size);
bool SetAudioPacketType(uint32_t type);

// Item operations.
bool ApplySettings();
bool SelectPattern(uint32_t code);
bool SetTimings(const Timing& timing);
bool SetColorFormat(const ColorFormat& format);
// "<space>@<depth>" text; false without a call when it has no "@".
bool SetColorFormatByName(const std::string& text);
bool SetSolidColor(uint64_t value);
// HDCP 0 (none), 1 or 2; any other version writes nothing. False when the device refused
// a write that switches HDCP on; a refused switch-off is not reported, and the device
// reports other HDCP trouble on the link.
bool SetHdcp(uint32_t version);
// Dimensions and pixel format of the image (their statuses are not used), then its pixel
// data into the selected memory block; true when the data was taken.
bool SendImage(uint32_t width, uint32_t height, uint32_t formatCode, const uint8_t* data,
               uint32_t bytes);
// The sink's EDID into `buffer`; the library status (bytes delivered, or negative).
int32_t GetSinkEdid(uint8_t* buffer, uint32_t size);
bool SetPatternMemoryBlock(uint32_t index);
bool GetMemorySize(uint64_t& bytes);
bool IsMemorySufficient(uint64_t required);
bool ResetMemoryLayout();
bool SetMemoryLayout(const std::vector<uint64_t>& blocks);
bool SelectMemoryBlock(uint32_t index);
// Takes the bytes and leaves `bytes` empty, whatever the outcome.
bool WriteMemoryBlock(uint32_t index, std::vector<uint8_t>& bytes);
// The same for bytes the caller keeps.
bool WriteMemoryBlock(uint32_t index, const uint8_t* bytes, uint32_t size);
bool IsPlaybackRunning();

// Waits between the polls of the stop; the default sleeps the calling thread.
using WaitFunction = std::function<void(uint32_t milliseconds)>;
// State 0 stops playback and waits (up to 100 polls, 100 ms apart) for the stop.
bool SetPlaybackState(uint32_t state, const WaitFunction& wait = {});
bool SetPlaybackContent(uint32_t mask);
bool SetPlaybackMemoryBlock(uint32_t index);
// The playing-order text as it stands: no terminator, its length as the size, maybe empty.
bool SetPlayingOrder(const std::string& text);
// First step of re-opening a device.
bool ResetDevice();
