// The simulated generator's state, process-wide like the device library's own.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "profile.h"
#include "trace.h"

namespace hlxsim {

struct Block {
    uint64_t size = 0;
    uint64_t fill = 0;
    uint32_t crc = 0;            // running CRC-32 of the bytes, with store = digest
    std::vector<uint8_t> bytes;  // with store = full
};

struct Faults {
    std::set<uint32_t> set;
    std::set<uint32_t> get;
    std::set<uint32_t> registers;
};

struct SimState {
    Profile profile;
    bool profileLoaded = false;  // by the control interface or by a successful HLX_Init
    bool initialised = false;
    int32_t device = -1;
    int32_t output = -1;

    std::map<uint32_t, std::vector<uint8_t>> items;
    std::map<uint32_t, uint64_t> registers;
    std::map<uint32_t, std::vector<uint8_t>> registerBytes;
    uint32_t registerAddress = 0;

    std::vector<uint64_t> layout;
    std::vector<Block> blocks;
    int64_t selectedBlock = -1;

    uint32_t playback = 0;       // last state written
    uint32_t stopReadsLeft = 0;  // reads that still report running after a stop
    Faults faults;               // injected through the control interface
    Trace trace;
};

SimState& State();

// Forgets everything the device holds and takes the profile; not initialised.
void ApplyProfile(Profile profile);

bool FailsSet(uint32_t item);
bool FailsGet(uint32_t item);
bool FailsRegister(uint32_t address);

// Item calls on the selected device; the status as the library returns it.
// For the layout item `size` counts 64-bit entries.
int32_t SetItem(uint32_t item, const uint8_t* data, uint32_t size);
int32_t GetItem(uint32_t item, uint8_t* buffer, uint32_t size);

// Bytes a set of `item` with `size` passes: 8 per entry for the layout item.
uint64_t SetByteCount(uint32_t item, uint32_t size);

}  // namespace hlxsim
