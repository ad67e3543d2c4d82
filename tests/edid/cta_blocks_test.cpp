#include "edid/cta_blocks.h"

#include <gtest/gtest.h>

#include "edid/edid_builder.h"

using namespace edidtest;

namespace {

// The walk over the builder's EDID in an 8192-byte buffer, n = the EDID's size.
struct Walked {
    Bytes buffer;
    CtaBlockIndex index;
};

Walked WalkOf(const EdidBuilder& edid, uint32_t n = 0) {
    Walked walked{edid.buffer(), {}};
    walked.index =
        IndexCtaBlocks(walked.buffer.data(), walked.buffer.size(), n == 0 ? edid.size() : n);
    return walked;
}

void ExpectAbsent(const SomePart& part) {
    EXPECT_EQ(part.data, nullptr);
    EXPECT_EQ(part.size, 0u);
    EXPECT_EQ(part.start, -1);
    EXPECT_EQ(part.end, -1);
}

void ExpectAt(const SomePart& part, const Walked& walked, size_t start, uint32_t size) {
    ASSERT_TRUE(part.present());
    EXPECT_EQ(part.data, walked.buffer.data() + start);
    EXPECT_EQ(part.size, size);
    EXPECT_EQ(part.start, static_cast<int32_t>(start));
    EXPECT_EQ(part.end, static_cast<int32_t>(start + size));
}

void ExpectAllAbsent(const CtaBlockIndex& index) {
    ExpectAbsent(index.adb);
    ExpectAbsent(index.vsdb);
    ExpectAbsent(index.vsadb);
    ExpectAbsent(index.vsvdb);
    ExpectAbsent(index.hfvsdb);
    ExpectAbsent(index.hdr);
}

}  // namespace

TEST(CtaBlockIndex, BaseBlockOnlyOrShortEdidHasNothing) {
    EdidBuilder base;
    ExpectAllAbsent(WalkOf(base).index);

    // An extension count in a read shorter than the base block is not followed.
    EdidBuilder shortRead;
    shortRead.cta({Vsvdb()});
    ExpectAllAbsent(WalkOf(shortRead, 127).index);
    ExpectAllAbsent(IndexCtaBlocks(nullptr, 0, 256));
}

TEST(CtaBlockIndex, RecordsEachKindWithItsPlace) {
    EdidBuilder edid;
    const size_t first = edid.cta({Adb(), Vsvdb(), Vsadb(), Hdr()});
    const Walked walked = WalkOf(edid);
    ExpectAt(walked.index.adb, walked, first, 4);
    ExpectAt(walked.index.vsvdb, walked, first + 4, 12);
    ExpectAt(walked.index.vsadb, walked, first + 16, 7);
    ExpectAbsent(walked.index.vsdb);
    ExpectAbsent(walked.index.hfvsdb);
    // The HDR entry spans the whole EDID; its start and end locate the block.
    const HDR& hdr = walked.index.hdr;
    EXPECT_EQ(hdr.data, walked.buffer.data());
    EXPECT_EQ(hdr.size, 256u);
    EXPECT_EQ(hdr.start, static_cast<int32_t>(first + 23));
    EXPECT_EQ(hdr.end, static_cast<int32_t>(first + 27));
}

TEST(CtaBlockIndex, HdmiForumBlockFillsVsdbAndHfvsdb) {
    EdidBuilder edid;
    const size_t first = edid.cta({Hfvsdb()});
    const Walked walked = WalkOf(edid);
    ExpectAt(walked.index.hfvsdb, walked, first, 7);
    // The VSDB entry keeps no place.
    EXPECT_EQ(walked.index.vsdb.data, walked.buffer.data() + first);
    EXPECT_EQ(walked.index.vsdb.size, 7u);
    EXPECT_EQ(walked.index.vsdb.start, -1);
    EXPECT_EQ(walked.index.vsdb.end, -1);
}

TEST(CtaBlockIndex, LastOccurrenceWins) {
    EdidBuilder edid;
    const size_t first = edid.cta({Vsvdb(12, 0x11), Hdmi14Vsdb(), Vsvdb(15, 0x22)});
    const size_t second = edid.cta({Hfvsdb()});
    const Walked walked = WalkOf(edid);
    ExpectAt(walked.index.vsvdb, walked, first + 18, 15);
    EXPECT_EQ(walked.index.vsdb.data, walked.buffer.data() + second);
}

struct ExtensionCase {
    const char* name;
    uint8_t firstTag;
    uint8_t firstRevision;
    bool found;
};

class SecondExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(SecondExtension, VsvdbFoundOnlyWhenTheWalkGetsThere) {
    const ExtensionCase& param = GetParam();
    EdidBuilder edid;
    if (param.firstTag == 0x02) {
        edid.cta({Adb()}, -1, param.firstRevision);
    } else {
        edid.other(param.firstTag);
    }
    const size_t first = edid.cta({Vsvdb()});
    const Walked walked = WalkOf(edid);
    if (param.found) {
        ExpectAt(walked.index.vsvdb, walked, first, 12);
    } else {
        ExpectAllAbsent(walked.index);
    }
}

INSTANTIATE_TEST_SUITE_P(CtaBlockIndex, SecondExtension,
                         ::testing::Values(ExtensionCase{"Revision3", 0x02, 3, true},
                                           ExtensionCase{"Revision2StopsTheWalk", 0x02, 2, false},
                                           ExtensionCase{"Revision1StopsTheWalk", 0x02, 1, false},
                                           ExtensionCase{"BlockMapIsPassedOver", 0xF0, 0, true},
                                           ExtensionCase{"DisplayIdStopsTheWalk", 0x70, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CtaBlockIndex, BlockReachingDEndsOnlyThatExtension) {
    EdidBuilder edid;
    // The VSVDB's last byte would sit at d: it and everything after it are ignored.
    const size_t first = edid.cta({Adb(), Vsvdb(), Hfvsdb()}, 4 + 4 + 11);
    const size_t second = edid.cta({Hdr()});
    const Walked walked = WalkOf(edid);
    ExpectAt(walked.index.adb, walked, first, 4);
    ExpectAbsent(walked.index.vsvdb);
    ExpectAbsent(walked.index.hfvsdb);
    EXPECT_EQ(walked.index.hdr.start, static_cast<int32_t>(second));
}

TEST(CtaBlockIndex, BlockEndingJustBeforeDIsTaken) {
    EdidBuilder edid;
    const size_t first = edid.cta({Vsvdb()}, 4 + 12);
    const Walked walked = WalkOf(edid);
    ExpectAt(walked.index.vsvdb, walked, first, 12);
}

TEST(CtaBlockIndex, ZeroLengthHeaderEndsOnlyThatExtension) {
    EdidBuilder edid;
    edid.cta({{0x40}, Vsvdb()}, 40);
    const size_t second = edid.cta({Adb()});
    const Walked walked = WalkOf(edid);
    ExpectAbsent(walked.index.vsvdb);
    ExpectAt(walked.index.adb, walked, second, 4);
}

TEST(CtaBlockIndex, ZeroDStopsTheWholeWalk) {
    EdidBuilder edid;
    edid.cta({Vsvdb()}, 0);
    edid.cta({Vsvdb()});
    ExpectAllAbsent(WalkOf(edid).index);
}

TEST(CtaBlockIndex, ExtensionOutsideTheReadBytesStopsTheWalk) {
    EdidBuilder edid;
    edid.cta({Adb()});
    edid.cta({Vsvdb()});
    // The second extension is in the buffer but not among the n bytes read.
    const Walked walked = WalkOf(edid, 256 + 127);
    EXPECT_TRUE(walked.index.adb.present());
    ExpectAbsent(walked.index.vsvdb);
}

// A 2-byte tag-7 block followed by a block that starts like the Dolby OUI; and an
// offset byte past the extension, whose VSVDB would start at byte 127.
TEST(CtaBlockIndex, BlocksAreReadOnlyInsideTheirOwnLengthAndExtension) {
    EdidBuilder edid;
    edid.cta({DataBlock(7, {0x01}), {0x46, 0xD0, 0x00, 0, 0, 0, 0}});
    ExpectAbsent(WalkOf(edid).index.vsvdb);
    EdidBuilder past;
    const Bytes filler = DataBlock(2, Bytes(31, 0));
    past.cta({filler, filler, filler, DataBlock(2, Bytes(26, 0)), Vsvdb()}, 200);
    ExpectAbsent(WalkOf(past).index.vsvdb);
}

TEST(CtaBlockIndex, ClaimedLengthBeyondTheBufferIsCappedToIt) {
    EdidBuilder edid;
    edid.cta({Hdr()});
    const Bytes buffer = edid.buffer(256);
    const CtaBlockIndex index = IndexCtaBlocks(buffer.data(), buffer.size(), 100000);
    EXPECT_EQ(index.hdr.size, 256u);
}

// The last of 63 extensions of an 8192-byte EDID, with d = 255: its data blocks would
// run past the buffer but end at its byte 127. The buffer has exactly 8192 bytes, so a
// stray read shows in ASan.
class LastExtensionOfFullBuffer : public ::testing::Test {
  protected:
    size_t lastExtension(const std::vector<Bytes>& blocks) {
        for (int k = 1; k < 63; ++k) edid.other(0xF0);
        return edid.cta(blocks, 255);
    }
    Walked walk() { return WalkOf(edid, 8192); }
    EdidBuilder edid;
    const Bytes filler = DataBlock(2, Bytes(31, 0x55));  // 32 bytes
};

TEST_F(LastExtensionOfFullBuffer, BlockStraddlingTheEndIsNotRecorded) {
    const size_t first = lastExtension({filler, filler, filler, Adb(), Vsvdb(32)});
    ASSERT_EQ(first + 100 + 32, 8200u);
    const Walked walked = walk();
    ExpectAt(walked.index.adb, walked, first + 96, 4);
    ExpectAbsent(walked.index.vsvdb);
}

TEST_F(LastExtensionOfFullBuffer, BlockEndingBeforeTheLastByteIsRecorded) {
    const size_t first = lastExtension({filler, filler, filler, Adb(), Vsvdb(23)});
    ASSERT_EQ(first + 100 + 23, 8191u);
    const Walked walked = walk();
    ExpectAt(walked.index.vsvdb, walked, first + 100, 23);
}

TEST_F(LastExtensionOfFullBuffer, HeaderPastTheBufferEndsTheCollection) {
    // The blocks end exactly at 8192; the next header would be the 8193rd byte.
    lastExtension({filler, filler, filler, DataBlock(2, Bytes(27, 0)), Vsvdb()});
    ExpectAbsent(walk().index.vsvdb);
}

TEST_F(LastExtensionOfFullBuffer, SignatureBytesPastTheBufferDoNotMatch) {
    // A one-byte-payload tag-7 block in the very last two bytes: its OUI would lie beyond.
    const size_t first =
        lastExtension({filler, filler, filler, DataBlock(2, Bytes(25, 0)), DataBlock(7, {0x01})});
    ASSERT_EQ(first + 122 + 2, 8192u);
    const Walked walked = walk();
    ExpectAbsent(walked.index.vsvdb);
    ExpectAbsent(walked.index.hdr);
}

TEST(HexText, TwoUpperCaseDigitsAndASpacePerByte) {
    const Bytes vsvdb = Vsvdb(12, 0xAB);
    const std::string text = HexText(vsvdb.data(), vsvdb.size());
    EXPECT_EQ(text.size(), 36u);
    EXPECT_EQ(text, "EB 01 46 D0 00 AB AB AB AB AB AB AB ");
    EXPECT_EQ(HexText(vsvdb.data(), 0), "");
}

TEST(SomePartReport, NamesTheKindAndShowsTheBlock) {
    EdidBuilder edid;
    edid.cta({Adb(), Vsvdb(12, 0x40), Hfvsdb(), Hdr()});
    const Walked walked = WalkOf(edid);
    EXPECT_EQ(walked.index.vsvdb.report(),
              "Dolby VSVDB at 136..148: EB 01 46 D0 00 40 40 40 40 40 40 40 (version 2)");
    EXPECT_EQ(walked.index.hfvsdb.report(),
              "HF-VSDB at 148..155: 66 D8 5D C4 01 78 00 (version 1, max TMDS 600 MHz)");
    EXPECT_EQ(walked.index.vsdb.report(), "VSDB: 66 D8 5D C4 01 78 00 (OUI C4-5D-D8)");
    EXPECT_EQ(walked.index.hdr.report(),
              "HDR static metadata at 155..159: E3 06 05 01 (EOTF mask 0x05)");
    EXPECT_EQ(walked.index.adb.report(),
              "ADB at 132..136: 23 09 7F 07 (1 short audio descriptors)");
    EXPECT_EQ(walked.index.vsadb.report(), "Dolby VSADB not present");
}
