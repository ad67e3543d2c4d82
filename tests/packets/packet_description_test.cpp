#include "packets/packet_description.h"

#include <gtest/gtest.h>

#include <tuple>

#include "packets/packet_findings.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An HDMI InfoFrame file with a checksum that makes it sum to 0; PB1 onwards from `pb`.
Bytes Hdmi(uint8_t type, uint8_t version, uint8_t length, const Bytes& pb = {}) {
    Bytes file{type, version, length, 0};
    file.insert(file.end(), pb.begin(), pb.end());
    unsigned sum = 0;
    for (size_t i = 0; i < file.size() && i < 4u + length; ++i) sum += file[i];
    file[3] = static_cast<uint8_t>(0x100 - sum % 0x100);
    return file;
}

// A DisplayPort InfoFrame SDP: HB0-HB3, then version, length and the data.
Bytes Sdp(uint8_t type, uint8_t version, uint8_t length, const Bytes& data) {
    Bytes file{0x00, type, 0x00, 0x4C, version, length};
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// Max 1000, min 0.0050, MaxCLL 1000, MaxFALL 400 cd/m2 after EOTF and descriptor 0.
Bytes Mastering(uint8_t eotf) {
    Bytes pb{eotf};
    pb.resize(18, 0);
    pb.insert(pb.end(), {0xE8, 0x03, 0x32, 0x00, 0xE8, 0x03, 0x90, 0x01});
    return pb;
}

const Bytes kAvi422 = Hdmi(0x82, 2, 13, {0x20, 0x80, 0x08, 16});

}  // namespace

TEST(PacketDescription, EachKind) {
    const std::tuple<Bytes, bool, const char*> cases[] = {
        {kAvi422, true,
         "AVI InfoFrame v2, 13 bytes: YCbCr 4:2:2, colorimetry BT.709, VIC 16, RGB range full"},
        {Hdmi(0x82, 3, 13, {0x40, 0xC0, 0x64, 97}), true,
         "AVI InfoFrame v3, 13 bytes: YCbCr 4:4:4, colorimetry extended 6, VIC 97, RGB range "
         "limited"},
        {Hdmi(0x87, 1, 26, Mastering(2)), true,
         "Dynamic Range and Mastering InfoFrame v1, 26 bytes: EOTF SMPTE ST 2084, mastering 1000 "
         "to 0.0050 cd/m2, MaxCLL 1000 cd/m2, MaxFALL 400 cd/m2"},
        {Hdmi(0x84, 1, 10, {0x00}), true, "Audio InfoFrame v1, 10 bytes: channels from the stream"},
        {Hdmi(0x84, 1, 10, {0x07}), true, "Audio InfoFrame v1, 10 bytes: 8 channels"},
        {Hdmi(0x81, 1, 5, {0x03, 0x0C, 0x00}), true,
         "Vendor-Specific InfoFrame (HDMI) v1, 5 bytes"},
        {Hdmi(0x81, 1, 6, {0xD8, 0x5D, 0xC4}), true,
         "Vendor-Specific InfoFrame (HDMI Forum) v1, 6 bytes"},
        {Hdmi(0x81, 1, 27, {0x46, 0xD0, 0x00}), true,
         "Vendor-Specific InfoFrame (Dolby) v1, 27 bytes"},
        {Hdmi(0x81, 1, 9, {0x12, 0x34, 0x56}), true,
         "Vendor-Specific InfoFrame (OUI 0x563412) v1, 9 bytes"},
        {Hdmi(0x83, 1, 25), true, "Source Product Description InfoFrame v1, 25 bytes"},
        {Hdmi(0x85, 1, 10), true, "MPEG Source InfoFrame v1, 10 bytes"},
        {Hdmi(0x86, 1, 5), true, "NTSC VBI InfoFrame v1, 5 bytes"},
        {Hdmi(0x88, 1, 5), true, "HDMI packet type 0x88"},
        {{0x02, 0x00, 0x00}, true, "HDMI packet type 0x02"},
        {Sdp(0x87, 1, 26, Mastering(3)), false,
         "Dynamic Range and Mastering InfoFrame SDP v1, 26 bytes: EOTF HLG, mastering 1000 to "
         "0.0050 cd/m2, MaxCLL 1000 cd/m2, MaxFALL 400 cd/m2"},
        {{0x00, 0x07, 0x00, 0x04}, false, "DisplayPort SDP type 0x07, version 0x01"},
        {kAvi422, false, "DisplayPort SDP type 0x02, version 0x2D"},
    };
    for (const auto& [bytes, hdmi, description] : cases) {
        EXPECT_EQ(DescribePacket(bytes.data(), bytes.size(), hdmi), description);
    }
    EXPECT_EQ(PacketNote(2, "p.bin", "NTSC VBI InfoFrame v1, 5 bytes"),
              "Packet 2 p.bin: NTSC VBI InfoFrame v1, 5 bytes.");
}

// Each finding of packet 0, sent by the steps of a playing order.
TEST(PacketDescription, Findings) {
    Bytes badChecksum = Hdmi(0x87, 1, 26, Mastering(2));
    badChecksum[3] = 0x00;
    const std::tuple<Bytes, bool, const char*, std::vector<std::string>> cases[] = {
        {kAvi422,
         true,
         "0:1:0:258;1:1:0:256;2:1:0:259",
         {"p.bin: the AVI InfoFrame says YCbCr 4:2:2, but step 1 sends RGB."}},
        {kAvi422, true, "0:1:0:258;1:1::256", {}},
        {badChecksum,
         true,
         "",
         {"p.bin: the InfoFrame checksum is 0x00, but its bytes need 0xC3: the sink drops it."}},
        {Hdmi(0x81, 1, 28),
         true,
         "",
         {"p.bin: the InfoFrame length 28 is beyond the 27 bytes a packet holds: the sink drops "
          "it."}},
        // DisplayPort carries no checksum: the zero PB0 of an SDP is no finding.
        {Sdp(0x82, 2, 13, {0x00}),
         false,
         "0:1:0:770",
         {"p.bin: the AVI InfoFrame says RGB, but step 0 sends YCbCr 4:2:2."}},
        {kAvi422, false, "", {"p.bin: HB0 is 0x82, but a DisplayPort SDP begins with 0."}},
    };
    for (const auto& [bytes, hdmi, porder, findings] : cases) {
        const std::vector<StepColor> steps =
            StepsSendingPackets(parsePlayingOrderText(porder).steps, 1)[0];
        EXPECT_EQ(PacketFindings("p.bin", bytes.data(), bytes.size(), hdmi, steps), findings);
    }
}
