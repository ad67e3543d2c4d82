// The run-copying packet data against a plain reference over random inputs.
#include <gtest/gtest.h>

#include <random>

#include "upload/packets.h"

namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& random, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    return bytes;
}

// The packet data written the plain way: zeros, then every packet one by one.
std::vector<uint8_t> ReferenceData(const PacketSet& set) {
    const size_t indexBytes = (8 * set.steps.size() + 63) / 64 * 64;
    std::vector<std::pair<size_t, size_t>> places;
    size_t offset = indexBytes;
    for (const PlayingOrderStep& step : set.steps) {
        size_t bytes = 0;
        for (const uint32_t index : step.packetIndices) bytes += set.packets[index].size();
        places.emplace_back(offset, bytes);
        offset = (offset + bytes + 63) / 64 * 64;
    }
    std::vector<uint8_t> data(set.steps.empty() ? 0 : (offset + indexBytes + 1023) / 1024 * 1024);
    for (size_t i = 0; i < places.size(); ++i) {
        const auto [at, bytes] = places[i];
        const uint8_t entry[8] = {uint8_t(at),
                                  uint8_t(at >> 8),
                                  uint8_t(bytes),
                                  uint8_t(bytes >> 8),
                                  0,
                                  0,
                                  uint8_t(at >> 16),
                                  0};
        std::copy(entry, entry + 8, data.begin() + 8 * i);
        size_t out = at;
        for (const uint32_t index : set.steps[i].packetIndices) {
            const std::vector<uint8_t>& packet = set.packets[index];
            std::copy(packet.begin(), packet.end(), data.begin() + out);
            out += packet.size();
        }
    }
    return data;
}

// Steps mix runs of consecutive packets, repeats, gaps and empty steps; packets of
// several sizes (some empty) make runs that join and runs that must not.
TEST(PacketDataKernelTest, RandomSetsMatchThePlainWayIntoAReusedBuffer) {
    std::mt19937 random(11);
    std::vector<uint8_t> data = RandomBytes(random, 300000);  // stale bytes from before
    for (int round = 0; round < 40; ++round) {
        PacketSet set;
        const size_t packets = 1 + random() % 20;
        for (size_t i = 0; i < packets; ++i) {
            const size_t sizes[] = {32, 32, 32, 16, 48, 128, 0};
            set.packets.push_back(RandomBytes(random, sizes[random() % 7]));
        }
        set.steps.resize(random() % 150);
        for (PlayingOrderStep& step : set.steps) {
            uint32_t next = random() % packets;
            for (size_t n = random() % 12; n > 0; --n) {
                step.packetIndices.push_back(next);
                next = random() % 4 == 0 ? random() % packets : (next + 1) % packets;
            }
        }
        ASSERT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
        ASSERT_EQ(data, ReferenceData(set)) << "round " << round;
    }
}

// Runs of consecutive numbers are sized without reading each packet: the first fault
// along the step still decides the status, and numbers wrapping past 2^32-1 are missing.
TEST(PacketDataKernelTest, TheFirstFaultAlongAStepIsReported) {
    PacketSet set;
    for (int i = 0; i < 4; ++i) set.packets.push_back(std::vector<uint8_t>(32768, uint8_t(i)));
    std::vector<uint8_t> data(10, 1);
    struct Case {
        std::vector<uint32_t> numbers;
        PacketDataStatus status;
    };
    const Case cases[] = {
        {{0, 1, 9}, PacketDataStatus::kStepTooLarge},  // too large at packet 1
        {{0, 9, 1}, PacketDataStatus::kMissingPacket},
        {{1, 2}, PacketDataStatus::kStepTooLarge},
        {{0xFFFFFFFFu, 0}, PacketDataStatus::kMissingPacket},
        {{3, 4}, PacketDataStatus::kMissingPacket},
        {{2, 3, 3}, PacketDataStatus::kStepTooLarge},
        {{3}, PacketDataStatus::kOk},
    };
    for (const Case& c : cases) {
        set.steps = {PlayingOrderStep{}};
        set.steps[0].packetIndices = c.numbers;
        EXPECT_EQ(BuildPacketData(set, data), c.status) << ::testing::PrintToString(c.numbers);
        EXPECT_EQ(data.empty(), c.status != PacketDataStatus::kOk);
    }
}

}  // namespace
