#include "upload/frame_sequence.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/paths.h"
#include "support.h"

namespace {

// Sequence paths come back with '\' separators; compare by file name.
std::vector<std::string> Names(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const std::string& path : paths) names.push_back(fileName(path));
    return names;
}

class FrameSequenceTest : public ::testing::Test {
  protected:
    void Make(std::initializer_list<const char*> names) {
        for (const char* name : names) folder.write(name, "x");
    }
    std::string At(const std::string& name) const { return folder.path() + "/" + name; }
    TempFolder folder;
};

TEST_F(FrameSequenceTest, DigitCountSetsPaddingAndLargerNumbersAreWrittenInFull) {
    Make({"img000.bin", "img001.bin", "img999.bin"});
    for (int i = 2; i < 999; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "img%03d.bin", i);
        folder.write(name, "x");
    }
    Make({"img1000.bin", "img1001.bin"});
    const std::vector<std::string> names = Names(ExpandFileSequence(At("img007.bin")));
    ASSERT_EQ(names.size(), 1002u);
    EXPECT_EQ(names.front(), "img000.bin");
    EXPECT_EQ(names[999], "img999.bin");
    EXPECT_EQ(names[1000], "img1000.bin");
    EXPECT_EQ(CountFileSequence(At("img007.bin")), 1002u);
}

TEST_F(FrameSequenceTest, OneDigitNameCountsPastNine) {
    Make({"img0.bin", "img1.bin", "img2.bin", "img3.bin", "img4.bin", "img5.bin", "img6.bin",
          "img7.bin", "img8.bin", "img9.bin", "img10.bin", "img010.bin"});
    const std::vector<std::string> names = Names(ExpandFileSequence(At("img7.bin")));
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names[10], "img10.bin");
}

TEST_F(FrameSequenceTest, StartsAtOneWhenZeroIsMissingAndStopsAtTheFirstGap) {
    Make({"a001.bin", "a002.bin", "a003.bin", "a004.bin", "a005.bin", "a007.bin"});
    EXPECT_EQ(
        Names(ExpandFileSequence(At("a001.bin"))),
        (std::vector<std::string>{"a001.bin", "a002.bin", "a003.bin", "a004.bin", "a005.bin"}));
    Make({"b000.bin", "b002.bin"});
    EXPECT_EQ(Names(ExpandFileSequence(At("b000.bin"))), std::vector<std::string>{"b000.bin"});
    EXPECT_EQ(CountFileSequence(At("c000.bin")), 0u);
}

TEST_F(FrameSequenceTest, MiddlePiecesOfTheNamePlayNoPartAndTrailingSemicolonsGo) {
    Make({"f0.bin", "f1.bin", "f0.raw.bin"});
    EXPECT_EQ(Names(ExpandFileSequence(At("f5.raw.bin;;"))),
              (std::vector<std::string>{"f0.bin", "f1.bin"}));
}

TEST_F(FrameSequenceTest, NameWithoutDigitsIsOneFileWhenItExists) {
    Make({"clip.bin"});
    EXPECT_EQ(ExpandFileSequence(At("clip.bin")), std::vector<std::string>{At("clip.bin")});
    EXPECT_TRUE(ExpandFileSequence(At("other.bin")).empty());
}

TEST_F(FrameSequenceTest, CandidatesUseBackslashSeparators) {
    Make({"s1.bin"});
    const std::vector<std::string> files = ExpandFileSequence(At("s1.bin"));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].find('/'), std::string::npos);
    EXPECT_TRUE(fileExists(files[0]));
}

TEST_F(FrameSequenceTest, BareNameStaysInTheCurrentFolder) {
    Make({"n0.bin", "n1.bin"});
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const std::vector<std::string> files = ExpandFileSequence("n1.bin");
    std::filesystem::current_path(before);
    EXPECT_EQ(files, (std::vector<std::string>{"n0.bin", "n1.bin"}));
}

TEST(FrameSequence, UnusableNamesGiveNothing) {
    for (const char* path : {"", ";;", "folder/", "folder/.bin", "x/.hidden"}) {
        EXPECT_TRUE(ExpandFileSequence(path).empty()) << path;
    }
}

TEST(FrameSequence, FirstFileLookedForAndFilesInTheRoot) {
    EXPECT_EQ(FirstSequenceFile("d/img007.bin"), "d\\img000.bin");
    EXPECT_EQ(FirstSequenceFile("d/clip.bin;"), "d/clip.bin;");  // no digits: as written
    EXPECT_EQ(FirstSequenceFile("/img007.bin"), "\\img000.bin");
    EXPECT_EQ(SiblingPath("/img000.bin", "formats.cfg"), "/formats.cfg");
}

TEST(FrameSequence, BinaryPathsContainDotBin) {
    EXPECT_TRUE(IsBinaryImagePath("a/clip.bin"));
    EXPECT_TRUE(IsBinaryImagePath("a.bin.raw"));
    EXPECT_FALSE(IsBinaryImagePath("clip.raw"));
    EXPECT_FALSE(IsBinaryImagePath("clip.BIN"));
}

}  // namespace
