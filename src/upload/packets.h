// Packets sent alongside the video: loaded from files, laid out for the output kind,
// gathered per playback step and written to the packets block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/playing_order.h"

struct ScenarioSettings;
struct MemoryLayout;
class DataLoaderBase;
class Findings;

struct PacketSet {
    std::vector<std::vector<uint8_t>> packets;  // device layouts, in file-sequence order
    std::vector<PlayingOrderStep> steps;
    // Each file's bytes as the layout was made from them (padded as the upload pads them).
    std::vector<std::vector<uint8_t>> fileBytes;
};

// Packet files shorter than this are taken as padded with zero bytes.
inline constexpr size_t kPacketFileMinBytes = 36;
// HDMI packets: 31 bytes of the file are used, 32 go to the device.
inline constexpr size_t kHdmiPacketFileBytes = 31;
inline constexpr size_t kHdmiPacketBytes = 32;
// DisplayPort packets: 4 header bytes, then a payload of 16-byte units, fewer than
// 128 bytes of it, since the device keeps its unit count in a signed byte.
inline constexpr size_t kDpHeaderBytes = 4;
inline constexpr size_t kDpPayloadUnit = 16;
inline constexpr size_t kDpMaxPayloadBytes = 112;

// Loads every file of the `packets` sequence and the steps of `porder`.
bool LoadPackets(const ScenarioSettings& settings, PacketSet& set);
// The same for the files of that sequence, already found. A file that makes no packet
// stops the load; `refusal`, when given, then names it and says why.
bool LoadPacketFiles(const ScenarioSettings& settings, const std::vector<std::string>& files,
                     PacketSet& set, std::string* refusal = nullptr);
// The same with the playing order already parsed.
bool LoadPacketFiles(const std::vector<std::string>& files, PlayingOrder order, bool hdmi,
                     PacketSet& set, std::string* refusal);

// The device layout of one packet file's bytes (already padded); false when the
// bytes do not make a packet of that kind.
bool ParsePacket(const uint8_t* data, size_t size, bool hdmi, std::vector<uint8_t>& layout);

enum class PacketDataStatus {
    kOk,
    kStepTooLarge,   // a step's packets exceed 65535 bytes
    kDataTooLarge,   // the step offsets reach 2^24
    kMissingPacket,  // a step names a packet the set does not hold
};

// The playback engine's packet data: an index of 8-byte entries, one per step, then
// each step's packets at 64-byte aligned offsets; the whole a multiple of 1024 bytes.
PacketDataStatus BuildPacketData(const PacketSet& set, std::vector<uint8_t>& data);

// The packet data of a scenario, loaded and built once for both sizing and upload.
struct PacketContent {
    bool loaded = false;  // every packet file loaded
    PacketDataStatus status = PacketDataStatus::kOk;
    std::vector<uint8_t> data;
    std::string refusal;  // "<file>: <why>" for the file that stopped the load
    std::vector<std::vector<uint8_t>> fileBytes;  // of the files loaded, in sequence order
};

// Loads the files of the `packets` sequence and builds their packet data, with the
// scenario's parsed playing order.
PacketContent PreparePackets(const ScenarioSettings& settings,
                             const std::vector<std::string>& files, PlayingOrder order);
// The upload's messages for packets that cannot be loaded or built: the refused file
// and why, then the fatal line; or the limit the data is over. Empty when usable.
std::vector<std::string> PacketProblem(const PacketContent& content);

// Writes the planned packet data to the layout's packets block, or reports the plan's
// refusal of the packets; reports through the loader.
bool UploadPackets(DataLoaderBase& loader, const ScenarioSettings& settings,
                   const PacketContent& content, const MemoryLayout& layout,
                   const Findings& findings);
