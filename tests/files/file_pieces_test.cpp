#include "files/file_pieces.h"

#include <gtest/gtest.h>

#include <vector>

#include "support.h"

namespace {

std::vector<uint8_t> Numbered(size_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>(i * 131 + i / 251);
    return data;
}

using Reader = bool (*)(const std::string&, uint64_t, size_t, std::vector<uint8_t>&,
                        const FilePieceConsumer&);

struct Collected {
    std::vector<uint8_t> bytes;
    std::vector<size_t> sizes;
    bool inOrder = true;
};

bool Collect(Reader read, const std::string& path, uint64_t size, size_t unit, Collected& out) {
    std::vector<uint8_t> scratch;
    return read(path, size, unit, scratch, [&out](uint64_t offset, const uint8_t* data, size_t n) {
        out.inOrder = out.inOrder && offset == out.bytes.size();
        out.bytes.insert(out.bytes.end(), data, data + n);
        out.sizes.push_back(n);
    });
}

const struct {
    const char* name;
    Reader read;
} kReaders[] = {{"mapped or read", readFilePieces}, {"read", readFilePiecesBuffered}};

TEST(FilePieces, PassEveryByteInOrderInWholeUnits) {
    TempFolder folder;
    // Larger than one read piece, and not a multiple of the unit, so the last piece is short.
    for (const size_t bytes : {size_t{0}, size_t{1}, size_t{3000}, size_t{700001}}) {
        const std::vector<uint8_t> content = Numbered(bytes);
        const std::string path = folder.write("f" + std::to_string(bytes) + ".bin", content);
        for (const auto& reader : kReaders) {
            Collected got;
            ASSERT_TRUE(Collect(reader.read, path, bytes, 3, got)) << reader.name << " " << bytes;
            EXPECT_EQ(got.bytes, content) << reader.name << " " << bytes;
            EXPECT_TRUE(got.inOrder) << reader.name;
            for (size_t i = 0; i + 1 < got.sizes.size(); ++i) {
                EXPECT_EQ(got.sizes[i] % 3, 0u) << reader.name << " piece " << i;
            }
        }
    }
}

TEST(FilePieces, RefuseAFileOfAnotherSizeOrNone) {
    TempFolder folder;
    const std::string path = folder.write("f.bin", Numbered(300000));
    for (const auto& reader : kReaders) {
        for (const uint64_t expected : {uint64_t{299999}, uint64_t{300001}, uint64_t{0}}) {
            Collected got;
            EXPECT_FALSE(Collect(reader.read, path, expected, 3, got))
                << reader.name << " expecting " << expected;
        }
        Collected got;
        EXPECT_FALSE(Collect(reader.read, folder.path() + "/missing.bin", 10, 1, got));
        EXPECT_FALSE(Collect(reader.read, folder.path(), 10, 1, got)) << "a folder";
    }
}

TEST(FilePieces, PathsWithBackslashesReachTheFile) {
    TempFolder folder;
    const std::vector<uint8_t> content = Numbered(64);
    folder.write("sub/f.bin", content);
    Collected got;
    ASSERT_TRUE(Collect(readFilePieces, folder.path() + "\\sub\\f.bin", 64, 1, got));
    EXPECT_EQ(got.bytes, content);
}

#ifndef _WIN32
// Another program may cut a frame file short while it is being converted; the read
// then fails instead of the program dying of a bus error on the mapped bytes.
TEST(FilePieces, AFileCutShortMeanwhileFailsTheRead) {
    TempFolder folder;
    const size_t bytes = 1 << 20;
    const std::string path = folder.write("f.bin", Numbered(bytes));
    for (const auto& reader : kReaders) {
        folder.write("f.bin", Numbered(bytes));
        std::vector<uint8_t> scratch;
        volatile uint8_t sink = 0;
        const bool ok = reader.read(path, bytes, 1, scratch,
                                    [&](uint64_t offset, const uint8_t* data, size_t n) {
                                        if (offset == 0)
                                            folder.write("f.bin", std::vector<uint8_t>(16));
                                        for (size_t i = 0; i < n; i += 4096)
                                            sink = static_cast<uint8_t>(sink + data[i]);
                                    });
        EXPECT_FALSE(ok) << reader.name;
    }
}
#endif

}  // namespace
