// The walk over EDIDs read from real sinks, against their known VSVDB report.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "edid/cta_blocks.h"
#include "files/paths.h"

namespace fs = std::filesystem;

namespace {

struct Expected {
    uint32_t bytes = 0;
    std::string vsvdbHex;  // "-" when absent
};

std::string RealEdidFolder() {
    return std::string(TAVREL_TESTDATA_DIR) + "/edid/real";
}

std::map<std::string, Expected> ReadExpected(const std::string& path) {
    std::map<std::string, Expected> expected;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string file, bytes, presence, hex;
        std::getline(fields, file, '\t');
        std::getline(fields, bytes, '\t');
        std::getline(fields, presence, '\t');
        std::getline(fields, hex, '\t');
        expected[file] = Expected{static_cast<uint32_t>(std::stoul(bytes)), hex};
    }
    return expected;
}

// The report's hex text as the table writes it: no trailing space, "-" when absent.
std::string WalkReport(const std::vector<uint8_t>& file) {
    std::vector<uint8_t> buffer(8192, 0);
    const size_t n = std::min(file.size(), buffer.size());
    std::copy_n(file.begin(), n, buffer.begin());
    const CtaBlockIndex index =
        IndexCtaBlocks(buffer.data(), buffer.size(), static_cast<uint32_t>(n));
    if (!index.vsvdb.present()) return "-";
    std::string hex = HexText(buffer.data() + index.vsvdb.start, index.vsvdb.size);
    hex.pop_back();
    return hex;
}

}  // namespace

TEST(RealEdids, EveryFileReportsItsExpectedVsvdb) {
    const std::string folder = RealEdidFolder();
    if (!fs::exists(folder + "/expected.tsv")) GTEST_SKIP() << "no real EDIDs in " << folder;
    const std::map<std::string, Expected> expected = ReadExpected(folder + "/expected.tsv");
    size_t files = 0, present = 0, mismatches = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".bin") continue;
        ++files;
        const std::string name = entry.path().filename().string();
        const auto row = expected.find(name);
        ASSERT_NE(row, expected.end()) << name << " has no expected line";
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(readWholeFile(entry.path().string(), bytes)) << name;
        EXPECT_EQ(bytes.size(), row->second.bytes) << name;
        const std::string report = WalkReport(bytes);
        if (report != "-") ++present;
        if (report != row->second.vsvdbHex) {
            ++mismatches;
            ADD_FAILURE() << name << ": walk " << report << ", expected " << row->second.vsvdbHex;
        }
    }
    EXPECT_EQ(files, expected.size());
    EXPECT_EQ(mismatches, 0u);
    EXPECT_EQ(present, 971u);
}
