#include <gtest/gtest.h>

#include "files/paths.h"
#include "scenario/numbers.h"
#include "support.h"

namespace {

TEST(PathHelpers, NamesAndFolders) {
    const struct {
        const char* path;
        const char* name;
        const char* folder;
        const char* extension;
    } cases[] = {
        {"D:\\a\\b.bin", "b.bin", "D:\\a", "bin"},
        {"x/y\\z.tar.gz", "z.tar.gz", "x/y", "gz"},
        {"plain", "plain", "", "plain"},
        {"dir.d/file", "file", "dir.d", "d/file"},
        {"end/", "", "end", "end/"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileName(c.path), c.name) << c.path;
        EXPECT_EQ(folderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(fileExtension(c.path), c.extension) << c.path;
    }
}

TEST(PathHelpers, ResolveRelativePath) {
    const struct {
        const char* base;
        const char* value;
        const char* resolved;
    } cases[] = {
        {"D:\\t\\sc.txt", "f.bin", "D:\\t\\f.bin"},
        {"D:\\t\\sc.txt", "f", "f"},
        {"D:\\t\\sc.txt", "", ""},
        {"D:\\t\\sc.txt", "//srv/f", "//srv/f"},
        {"D:\\t\\sc.txt", "\\\\srv\\f", "\\\\srv\\f"},
        {"D:\\t\\sc.txt", "E:f", "E:f"},
        {"D:\\t\\sc.txt", "\\f.bin", "D:\\t\\\\f.bin"},
        {"a/b/sc.txt", "f.bin", "a/b\\f.bin"},
        {"sc.txt", "sub/f.bin", "sub/f.bin"},
    };
    for (const auto& c : cases) EXPECT_EQ(resolveRelativePath(c.base, c.value), c.resolved);
}

TEST(PathHelpers, FileStatus) {
    TempFolder folder;
    const std::string file = folder.write("sub/f.bin", std::string(5, 'x'));
    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(fileExists(folder.path() + "\\sub"));  // "\" maps to the system separator
    EXPECT_EQ(fileSize(folder.path() + "\\sub\\f.bin"), 5);
    EXPECT_EQ(fileSize(folder.path()), -1);
    EXPECT_FALSE(fileExists(folder.path() + "/none"));
    EXPECT_EQ(fileSize(folder.path() + "/none"), -1);
}

TEST(Numbers, Unsigned32) {
    const struct {
        const char* text;
        bool ok;
        uint32_t value;
    } cases[] = {
        {"0", true, 0},
        {" \t42abc", true, 42},
        {"+7", true, 7},
        {"-1", true, 4294967295},
        {"4294967295", true, 4294967295},
        {"4294967296", false, 0},
        {"-4294967296", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"x1", false, 0},
        {"- 1", false, 0},
        {"00000000000000000000001", true, 1},
    };
    for (const auto& c : cases) {
        uint32_t value = 99;
        EXPECT_EQ(parseUnsigned32(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : 99u) << c.text;
    }
}

TEST(Numbers, Signed32And64) {
    int32_t s = 0;
    EXPECT_TRUE(parseSigned32("-2147483648", s));
    EXPECT_EQ(s, INT32_MIN);
    EXPECT_TRUE(parseSigned32("2147483647;", s));
    EXPECT_EQ(s, INT32_MAX);
    EXPECT_FALSE(parseSigned32("2147483648", s));
    EXPECT_FALSE(parseSigned32("-2147483649", s));
    EXPECT_FALSE(parseSigned32("abc", s));

    uint64_t u = 0;
    EXPECT_TRUE(parseUnsigned64("18446744073709551615", u));
    EXPECT_EQ(u, UINT64_MAX);
    EXPECT_TRUE(parseUnsigned64("-1", u));
    EXPECT_EQ(u, UINT64_MAX);
    EXPECT_FALSE(parseUnsigned64("18446744073709551616", u));
    EXPECT_FALSE(parseUnsigned64("99999999999999999999999", u));
}

}  // namespace
