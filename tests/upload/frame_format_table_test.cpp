#include "upload/frame_format_table.h"

#include <gtest/gtest.h>

#include "support.h"

namespace {

TEST(FormatTable, TwoPieceLinesAreTrimmedEntriesAndTheLaterOneWins) {
    const FormatTable table = parseFormatTable(
        "  frame0001.bin : RGB444@10bit \r\n"
        "\n"
        "no separator here\n"
        "a.bin:RGB:extra\n"
        "b.bin:YUV444@12bit:\n"
        "frame0001.bin:RGB444@12bit\n"
        ":empty key\n"
        "c.bin:");
    EXPECT_EQ(table, (FormatTable{{"frame0001.bin", "RGB444@12bit"},
                                  {"b.bin", "YUV444@12bit"},
                                  {"", "empty key"}}));
    EXPECT_EQ(FormatOf(table, "b.bin"), "YUV444@12bit");
    EXPECT_EQ(FormatOf(table, "B.bin"), "");
}

TEST(FormatTable, MissingFileGivesAnEmptyTable) {
    TempFolder folder;
    EXPECT_TRUE(readFormatTable(folder.path() + "/formats.cfg").empty());
    const std::string path = folder.write("formats.cfg", "x.bin: RGB444\n");
    EXPECT_EQ(readFormatTable(path), (FormatTable{{"x.bin", "RGB444"}}));
}

}  // namespace
