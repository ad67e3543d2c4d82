#include "device/config_items.h"

#include <cstring>

#include "device/device_call.h"
#include "device/hlx.h"
#include "device/items.h"
#include "device/wait.h"
#include "scenario/scenario.h"

bool SetItemBytes(uint32_t item, const void* data, uint32_t size) {
    return DeviceCall(HLX_TS_SetConfigItem, item, data, size) >= 0;
}

bool SetItem32(uint32_t item, uint32_t value) {
    return SetItemBytes(item, &value, 4);
}

bool SetItem64(uint32_t item, uint64_t value) {
    return SetItemBytes(item, &value, 8);
}

int32_t GetItem32(uint32_t item, uint32_t& value) {
    value = 0;
    return DeviceCall(HLX_TS_GetConfigItem, item, &value, 4);
}

int32_t GetItem64(uint32_t item, uint64_t& value) {
    value = 0;
    return DeviceCall(HLX_TS_GetConfigItem, item, &value, 8);
}

bool WriteRegister(uint32_t address, uint32_t value) {
    return SetItem32(item::kRegisterAddress, address) && SetItem32(item::kRegisterWrite, value);
}

bool ReadRegister(uint32_t address, uint64_t& value) {
    value = 0;
    return SetItem32(item::kRegisterAddress, address) &&
           DeviceCall(HLX_TS_GetConfigItem, item::kRegisterRead, &value, 8) >= 0;
}

bool WriteRegisterBlock(uint32_t address, const uint8_t* data, uint32_t size) {
    return SetItem32(item::kRegisterAddress, address) &&
           SetItemBytes(item::kRegisterBlockWrite, data, size);
}

bool SetScrambler(bool on) {
    // The device answers through the read-back; the write statuses say nothing useful.
    WriteRegister(reg::kScrambler, on ? setting::kScramblerOn : setting::kScramblerOff);
    uint64_t value = 0;
    ReadRegister(reg::kScrambler, value);
    return ((value & flag::kScramblerActive) != 0) == on;
}

bool SetImageSize(bool hdmi, uint32_t width, uint32_t height) {
    const uint32_t base = hdmi ? reg::kHdmiOffset : 0;
    return WriteRegister(base + reg::kImageWidth, width) &&
           WriteRegister(base + reg::kImageHeight, height);
}

bool SetAudioControl(uint32_t value) {
    return WriteRegister(reg::kAudioControl, value);
}

bool SetAudioParameters(uint32_t channels, uint32_t rate, uint32_t bits) {
    return WriteRegister(reg::kAudioChannels, channels) && WriteRegister(reg::kAudioRate, rate) &&
           WriteRegister(reg::kAudioBits, bits);
}

bool SetAudioSize(uint32_t bytes) {
    return WriteRegister(reg::kAudioSize, bytes);
}

bool SetAudioMute(uint32_t mode) {
    if (mode > 2) return false;
    return WriteRegister(reg::kAudioMute, mode);
}

bool SetAudioMemoryBlock(uint32_t index) {
    return WriteRegister(reg::kAudioMemoryBlock, index);
}

namespace {

// Reads the register afresh, sets or clears `bits`, writes the low 32 bits back.
bool ChangeRegisterBits(uint32_t address, uint32_t bits, bool set) {
    uint64_t value = 0;
    if (!ReadRegister(address, value)) return false;
    uint32_t word = static_cast<uint32_t>(value);
    word = set ? (word | bits) : (word & ~bits);
    return WriteRegister(address, word);
}

}  // namespace

bool SetAudioCompressed(bool on) {
    return ChangeRegisterBits(reg::kAudioFlags, flag::kAudioCompressed, on);
}

bool SetAudioChannelStatus(const uint8_t* bytes, uint32_t size) {
    return ChangeRegisterBits(reg::kAudioFlags, flag::kAudioChannelStatusWritten, true) &&
           ChangeRegisterBits(reg::kAudioFlags, flag::kAudioChannelStatusGenerated, false) &&
           WriteRegisterBlock(reg::kAudioChannelStatus, bytes, size);
}

bool SetAudioPacketType(uint32_t type) {
    return ChangeRegisterBits(reg::kAudioFlags, flag::kAudioPacketTypeWritten, true) &&
           ChangeRegisterBits(reg::kAudioFlags, flag::kAudioPacketTypeUsed, true) &&
           WriteRegister(reg::kAudioPacketType, type);
}

bool ApplySettings() {
    return SetItem32(item::kApplySettings, setting::kApply);
}

bool SelectPattern(uint32_t code) {
    return SetItem32(item::kPattern, code);
}

bool SetTimings(const Timing& t) {
    return SetItem32(item::kHTotal, t.htotal) && SetItem32(item::kHStart, t.hstart) &&
           SetItem32(item::kHActive, t.hactive) &&
           SetItem32(item::kHSync, static_cast<uint32_t>(t.hsync)) &&
           SetItem32(item::kVTotal, t.vtotal) && SetItem32(item::kVStart, t.vstart) &&
           SetItem32(item::kVActive, t.vactive) &&
           SetItem32(item::kVSync, static_cast<uint32_t>(t.vsync)) &&
           SetItem32(item::kFrameRate, static_cast<uint32_t>(t.frate));
}

bool SetColorFormat(const ColorFormat& format) {
    return SetItem32(item::kColorFormat, format.DeviceCode());
}

bool SetColorFormatByName(const std::string& text) {
    ColorFormat format;
    return ParseColorFormat(text, format) && SetColorFormat(format);
}

bool SetSolidColor(uint64_t value) {
    return SetItem64(item::kSolidColor, value);
}

bool SetHdcp(uint32_t version) {
    switch (version) {
        case 0:
            SetItem32(item::kHdcp1Control, setting::kHdcpOff);
            SetItem32(item::kHdcp2Control, setting::kHdcpOff);
            return true;
        case 1:
            return SetItem32(item::kHdcp1Control, setting::kHdcpOn);
        case 2: {
            const bool prepared = SetItem32(item::kHdcp2Control, setting::kHdcp2Prepare);
            return SetItem32(item::kHdcp2Control, setting::kHdcpOn) && prepared;
        }
        default:
            return true;
    }
}

bool SendImage(uint32_t width, uint32_t height, uint32_t formatCode, const uint8_t* data,
               uint32_t bytes) {
    SetItem32(item::kImageWidth, width);
    SetItem32(item::kImageHeight, height);
    SetItem32(item::kImageFormat, formatCode);
    return SetItemBytes(item::kImageData, data, bytes);
}

int32_t GetSinkEdid(uint8_t* buffer, uint32_t size) {
    return DeviceCall(HLX_TS_GetConfigItem, item::kSinkEdid, buffer, size);
}

bool SetPatternMemoryBlock(uint32_t index) {
    return SetItem32(item::kPatternMemoryBlock, index);
}

bool GetMemorySize(uint64_t& bytes) {
    return GetItem64(item::kMemorySize, bytes) >= 0;
}

bool IsMemorySufficient(uint64_t required) {
    uint64_t memory = 0;
    return GetMemorySize(memory) && memory > required;
}

bool ResetMemoryLayout() {
    return SetItem64(item::kMemoryLayoutReset, 0);
}

bool SetMemoryLayout(const std::vector<uint64_t>& blocks) {
    return DeviceCall(HLX_TS_SetConfigItem, item::kMemoryLayout, blocks.data(),
                      static_cast<uint32_t>(blocks.size())) >= 0;
}

bool SelectMemoryBlock(uint32_t index) {
    return SetItem32(item::kMemoryBlockSelect, index);
}

bool WriteMemoryBlock(uint32_t index, std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> owned;
    owned.swap(bytes);
    return WriteMemoryBlock(index, owned.data(), static_cast<uint32_t>(owned.size()));
}

bool WriteMemoryBlock(uint32_t index, const uint8_t* bytes, uint32_t size) {
    return SelectMemoryBlock(index) && SetItemBytes(item::kMemoryBlockData, bytes, size);
}

bool IsPlaybackRunning() {
    uint32_t state = 0;
    return GetItem32(item::kPlaybackState, state) >= 0 && (state & flag::kPlaybackRunning) != 0;
}

bool SetPlaybackState(uint32_t state, const WaitFunction& wait) {
    const int32_t status = DeviceCall(HLX_TS_SetConfigItem, item::kPlaybackState, &state, 4);
    if (status < 0) return false;
    if (state != setting::kPlaybackStop || status == 0) return true;
    // The device accepted the stop but is still running: poll until bit 0 clears.
    uint32_t value = 0;
    for (int read = 0; read < 100; ++read) {
        const int32_t got = DeviceCall(HLX_TS_GetConfigItem, item::kPlaybackState, &value, 4);
        if ((value & flag::kPlaybackRunning) == 0 || got == 0 || read == 99) break;
        if (wait) {
            wait(100);
        } else {
            SleepMilliseconds(100);
        }
    }
    return true;
}

bool SetPlaybackContent(uint32_t mask) {
    return SetItem32(item::kPlaybackContent, mask);
}

bool SetPlayingOrder(const std::string& text) {
    return SetItemBytes(item::kPlaybackScenario, text.data(), static_cast<uint32_t>(text.size()));
}

bool ResetDevice() {
    return SetItem32(item::kDeviceReset, setting::kDeviceReset);
}

bool SetPlaybackMemoryBlock(uint32_t index) {
    return SetItem32(item::kPlaybackMemoryBlock, index);
}
