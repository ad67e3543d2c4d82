// C++ control of the simulated generator, for tests: load a profile, read the
// trace, look at what the device received, and make calls fail on purpose.
// The simulator also reads HLX_SIM_PROFILE and HLX_SIM_TRACE on HLX_Init when
// no profile was loaded through this interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hlxsim {

// Replaces the whole generator state with the profile (INI text). `baseFolder`
// resolves relative file names in it (the EDID file). Leaves the library
// uninitialised: the program (or test) calls HLX_Init(0) next. False with a
// reason in `error` when the profile is malformed; the state is then the default.
bool LoadProfile(const std::string& text, const std::string& baseFolder = ".",
                 std::string* error = nullptr);
bool LoadProfileFile(const std::string& path, std::string* error = nullptr);
// The built-in profile: one KVX-4 listed as HDMI TX and DisplayPort TX.
void LoadDefaultProfile();
const std::string& DefaultProfileText();
// Back to the state of a fresh process: the next HLX_Init reads HLX_SIM_PROFILE
// (or takes the built-in profile) again. Leaves the library uninitialised.
void Reset();

// In-memory trace: every call appends one line (the same text as the trace file).
void CaptureTrace(bool on);
std::vector<std::string> TakeTrace();  // returns the lines and clears them

// What the device holds.
std::vector<uint64_t> Layout();                   // last accepted layout (item 2179)
std::vector<uint8_t> BlockBytes(uint32_t index);  // with store = full
uint64_t BlockFill(uint32_t index);               // bytes written into the block so far
uint32_t BlockCrc(uint32_t index);                // CRC-32 of the bytes (full or digest)
uint64_t Register(uint32_t address);
std::vector<uint8_t> RegisterBytes(uint32_t address);  // last block write to the register
std::vector<uint8_t> ItemBytes(uint32_t item);         // last bytes set on the item
bool HasItem(uint32_t item);
uint32_t PlaybackState();
int32_t SelectedDevice();  // -1 when none
int32_t SelectedOutput();  // -1 when none

// Faults, on top of those of the profile.
void FailSet(uint32_t item, bool fail = true);
void FailGet(uint32_t item, bool fail = true);
void FailRegister(uint32_t address, bool fail = true);
void ClearFaults();

// CRC-32 (IEEE), as the trace shows it for long buffers.
uint32_t Crc32(const void* data, size_t size, uint32_t crc = 0);

}  // namespace hlxsim
