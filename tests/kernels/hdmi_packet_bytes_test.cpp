// The batched HDMI packet bytes against the portable one and the single-packet parse.
#include "kernels/hdmi_packet_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "upload/packets.h"

namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& random, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    return bytes;
}

std::vector<uint8_t> DeviceBytes(HdmiPacketKernel kernel, const std::vector<uint8_t>& files,
                                 size_t stride, size_t count) {
    std::vector<uint8_t> bytes(32 * count + 1, 0xEE);
    WriteHdmiPacketBytesWith(kernel, files.data(), stride, count, bytes.data());
    EXPECT_EQ(bytes.back(), 0xEE);  // nothing written past the last packet
    return bytes;
}

TEST(HdmiPacketKernelTest, EveryKernelMatchesThePortableOne) {
    std::mt19937 random(7);
    const std::vector<HdmiPacketKernel> kernels = AvailableHdmiPacketKernels();
    ASSERT_EQ(kernels.front(), HdmiPacketKernel::kPortable);
    for (const size_t stride : {32u, 36u, 47u}) {
        for (const size_t count : {0u, 1u, 2u, 5u, 257u}) {
            const std::vector<uint8_t> files = RandomBytes(random, stride * count + 32);
            const std::vector<uint8_t> portable =
                DeviceBytes(HdmiPacketKernel::kPortable, files, stride, count);
            for (const HdmiPacketKernel kernel : kernels) {
                EXPECT_EQ(DeviceBytes(kernel, files, stride, count), portable)
                    << "kernel " << static_cast<int>(kernel) << ", stride " << stride << ", count "
                    << count;
            }
            std::vector<uint8_t> fast(32 * count);
            WriteHdmiPacketBytes(files.data(), stride, count, fast.data());
            EXPECT_TRUE(std::equal(fast.begin(), fast.end(), portable.begin()));
            for (size_t i = 0; i < count; ++i) {
                std::vector<uint8_t> one;
                ASSERT_TRUE(ParsePacket(files.data() + i * stride, 36, true, one));
                ASSERT_TRUE(std::equal(one.begin(), one.end(), portable.begin() + 32 * i)) << i;
            }
        }
    }
}

}  // namespace
