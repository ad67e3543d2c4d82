// The simulated generator's description: device entries and the shared state
// of the generator, as read from an INI-style profile.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace hlxsim {

enum class StoreMode { kFull, kDigest, kNone };

struct DeviceSpec {
    std::string name;
    uint32_t flags = 16;  // bit 4: transmitter
    std::vector<std::string> outputs;
};

struct Profile {
    std::vector<DeviceSpec> devices;
    uint64_t memory = 4294967296ULL;
    std::vector<uint8_t> edid;
    bool hasEdidClaim = false;
    int32_t edidClaim = 0;
    uint32_t dpLanes = 4;
    uint32_t dpRate = 20;
    std::string info = "KVX-4 firmware 1.0 (simulated)";
    uint32_t stopDelay = 0;
    uint64_t writeRate = 0;  // bytes per second of memory-block data; 0: no pacing
    std::set<uint32_t> failSet;
    std::set<uint32_t> failGet;
    std::set<uint32_t> failRegister;
    bool failInit = false;
    bool failClean = false;
    StoreMode store = StoreMode::kFull;
};

// Reads a profile from its text. Keys left out keep the values of `Profile`,
// the EDID the built-in one. Relative EDID file names resolve against
// `baseFolder`. False with "line N: problem" in `error` when malformed.
bool ParseProfile(const std::string& text, const std::string& baseFolder, Profile& profile,
                  std::string& error);

// The built-in EDID: a base block and one CTA-861 extension of a capable HDMI 2.1 sink,
// with a Dolby VSVDB.
std::vector<uint8_t> DefaultEdid();

}  // namespace hlxsim
