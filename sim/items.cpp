// Configuration items and the register window of the selected device.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "device_items.h"
#include "memory.h"
#include "porder_check.h"
#include "state.h"

namespace hlxsim {
namespace {

constexpr uint32_t kSetStopping = 1;  // a stop that is still under way

// Little-endian value of up to eight bytes; false for an empty buffer.
bool readValue(const uint8_t* data, uint32_t size, uint64_t& value) {
    if (size == 0) return false;
    value = 0;
    for (uint32_t i = std::min<uint32_t>(size, 8); i-- > 0;) value = value << 8 | data[i];
    return true;
}

int32_t deliver(uint8_t* buffer, uint32_t size, const void* bytes, size_t count) {
    size_t n = std::min<size_t>(size, count);
    if (n > 0) std::memcpy(buffer, bytes, n);
    return static_cast<int32_t>(n);
}

int32_t deliverValue(uint8_t* buffer, uint32_t size, uint64_t value, size_t width) {
    uint8_t bytes[8];
    for (size_t i = 0; i < width; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    return deliver(buffer, size, bytes, width);
}

int32_t writeRegister(const uint8_t* data, uint32_t size) {
    SimState& s = State();
    uint64_t value = 0;
    if (FailsRegister(s.registerAddress) || !readValue(data, size, value)) return kRefused;
    if (s.registerAddress == reg::kAudioMemoryBlock && !IsBlockIndex(value)) return kRefused;
    s.registers[s.registerAddress] = value;
    return 0;
}

int32_t writeRegisterBlock(const uint8_t* data, uint32_t size) {
    SimState& s = State();
    if (FailsRegister(s.registerAddress)) return kRefused;
    s.registerBytes[s.registerAddress].assign(data, data + size);
    return 0;
}

int32_t setPlayback(uint64_t state) {
    SimState& s = State();
    if (state > 2) return kRefused;
    s.playback = static_cast<uint32_t>(state);
    s.stopReadsLeft = 0;
    if (state != 0 || s.profile.stopDelay == 0) return 0;
    s.stopReadsLeft = s.profile.stopDelay;
    return kSetStopping;
}

int32_t setValueItem(uint32_t item, const uint8_t* data, uint32_t size) {
    SimState& s = State();
    uint64_t value = 0;
    if (!readValue(data, size, value)) return kRefused;
    switch (item) {
        case item::kRegisterAddress:
            s.registerAddress = static_cast<uint32_t>(value);
            return 0;
        case item::kMemoryBlockSelect:
            return value > UINT32_MAX ? kRefused : SelectBlock(static_cast<uint32_t>(value));
        case item::kPatternMemoryBlock:
        case item::kPlaybackMemoryBlock:
            return IsBlockIndex(value) ? 0 : kRefused;
        case item::kPlaybackState:
            return setPlayback(value);
        default:
            return 0;
    }
}

int32_t setBehaviour(uint32_t item, const uint8_t* data, uint32_t size) {
    switch (item) {
        case item::kRegisterWrite:
            return writeRegister(data, size);
        case item::kRegisterBlockWrite:
            return writeRegisterBlock(data, size);
        case item::kMemoryLayoutReset:
            return ResetLayout();
        case item::kMemoryLayout:
            return SetLayout(data, size);
        case item::kPlaybackScenario: {
            std::string_view text(reinterpret_cast<const char*>(data), size);
            return IsValidPlayingOrder(text) ? 0 : kRefused;
        }
        case item::kRegisterAddress:
        case item::kMemoryBlockSelect:
        case item::kPatternMemoryBlock:
        case item::kPlaybackMemoryBlock:
        case item::kPlaybackState:
            return setValueItem(item, data, size);
        default:
            return 0;  // kept as bytes, nothing more
    }
}

uint32_t readPlayback() {
    SimState& s = State();
    if (s.stopReadsLeft > 0) {
        --s.stopReadsLeft;
        return 1;
    }
    return s.playback != 0 ? 1 : 0;
}

int32_t getInformation(uint8_t* buffer, uint32_t size) {
    const std::string& info = State().profile.info;
    if (size == 0) return 0;
    size_t n = std::min<size_t>(info.size(), size - 1);
    std::memcpy(buffer, info.data(), n);
    buffer[n] = 0;
    return static_cast<int32_t>(n + 1);
}

int32_t getEdid(uint8_t* buffer, uint32_t size) {
    const Profile& p = State().profile;
    deliver(buffer, size, p.edid.data(), p.edid.size());
    // The claim lets tests meet a library that reports more bytes than it wrote.
    return p.hasEdidClaim ? p.edidClaim : static_cast<int32_t>(p.edid.size());
}

}  // namespace

int32_t SetItem(uint32_t item, const uint8_t* data, uint32_t size) {
    if (FailsSet(item)) return kRefused;
    if (item == item::kMemoryBlockData || item == item::kImageData) {
        return AppendToBlock(data, size);  // not kept as item bytes: they can be large
    }
    int32_t status = setBehaviour(item, data, size);
    if (status >= 0 && item != item::kRegisterBlockWrite) {
        uint64_t count = SetByteCount(item, size);
        State().items[item].assign(data, data + count);
    }
    return status;
}

int32_t GetItem(uint32_t item, uint8_t* buffer, uint32_t size) {
    SimState& s = State();
    if (FailsGet(item)) return kRefused;
    const Profile& p = s.profile;
    switch (item) {
        case item::kRegisterRead: {
            if (FailsRegister(s.registerAddress)) return kRefused;
            auto value = s.registers.find(s.registerAddress);
            return deliverValue(buffer, size, value == s.registers.end() ? 0 : value->second, 8);
        }
        case item::kMemorySize:
            return deliverValue(buffer, size, p.memory, 8);
        case item::kPlaybackState:
            return deliverValue(buffer, size, readPlayback(), 4);
        case item::kSinkEdid:
            return getEdid(buffer, size);
        case item::kDpLaneCount:
            return deliverValue(buffer, size, p.dpLanes, 4);
        case item::kDpLinkRate:
            return deliverValue(buffer, size, p.dpRate, 4);
        case item::kInformation:
            return getInformation(buffer, size);
        default:
            break;
    }
    auto found = s.items.find(item);
    if (found == s.items.end()) return 0;
    return deliver(buffer, size, found->second.data(), found->second.size());
}

}  // namespace hlxsim
